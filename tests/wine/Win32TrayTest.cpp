#include "PeerWorld.h"

#include "platform/win32/Win32System.h"
#include "platform/win32/Win32Tray.h"

#include <cstring>
#include <string>

namespace tvm::test {
namespace {

HICON SystemIcon() {
    return LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
}

class Win32TrayTest : public PeerTest {};

TEST_F(Win32TrayTest, FillsTheRecordsFirstForm) {
    const HICON icon = SystemIcon();
    Win32Tray tray(Toolkit, Form, {nullptr, icon, nullptr});
    TrayIconData data;
    data.Picture = TrayPicture::Enabled;
    data.Tip = std::string(70, 'a') + "b";
    const NOTIFYICONDATAA record = tray.Record(data);
    EXPECT_EQ(record.cbSize, NOTIFYICONDATAA_V1_SIZE);
    EXPECT_EQ(record.cbSize, sizeof(DWORD) + 4 + sizeof(HWND) + 3 * sizeof(UINT) + sizeof(HICON) +
                                 64 + (sizeof(void*) == 8 ? 4 : 0))
        << "the 64-bit record pads before hWnd";
    EXPECT_EQ(record.hWnd, Window());
    EXPECT_EQ(record.uID, 100u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(record.uCallbackMessage, 1025u);
    EXPECT_EQ(record.hIcon, icon);
    EXPECT_EQ(std::strlen(record.szTip), 63u);
    EXPECT_EQ(std::string(record.szTip), std::string(63, 'a'));
}

// Without a notification area of its own the X server gets Wine's stand-alone tray
// window, shown exactly while it holds an icon.
bool StandaloneTrayShown() {
    const HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
    return tray != nullptr && IsWindowVisible(tray);
}

TEST_F(Win32TrayTest, AddModifyDeleteReachTheNotificationArea) {
    Win32Tray tray(Toolkit, Form, {SystemIcon(), SystemIcon(), SystemIcon()});
    TrayIconData data;
    data.Tip = "Tavelmorind - Starting Up...";
    EXPECT_TRUE(tray.Add(data));
    EXPECT_TRUE(StandaloneTrayShown());
    data.Picture = TrayPicture::Enabled;
    data.Tip = "Tavelmorind";
    tray.Modify(data);
    EXPECT_TRUE(StandaloneTrayShown());
    EXPECT_TRUE(tray.Add(data)) << "an icon the shell still has counts as added";
    tray.Delete(data);
    EXPECT_FALSE(StandaloneTrayShown());
}

TEST_F(Win32TrayTest, TheMenuOpensAsAPopupOfTheOwner) {
    Win32Tray tray(Toolkit, Form, {SystemIcon(), SystemIcon(), SystemIcon()});
    SetTimer(Window(), 78, 50, nullptr);
    Toolkit.SetMessageHook(Form, [](UINT message, WPARAM wParam, LPARAM, LRESULT&) {
        if (message == WM_TIMER && wParam == 78) {
            if (const HWND menu = FindWindowA("#32768", nullptr)) {
                PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
            }
        }
        return false;
    });
    tray.ShowMenu(Form.TrayMenu);
    KillTimer(Window(), 78);
    EXPECT_EQ(Form.TrayPopups, 1);
}

TEST(Win32System, TrimsSleepsAndStartsACommand) {
    Win32System system;
    system.TrimWorkingSet();
    // Wine's tick count is the server's, brought up to date only now and then: a 20 ms
    // wait once read as 6 ms on it. The performance counter reads the host's clock.
    LARGE_INTEGER frequency;
    LARGE_INTEGER before;
    LARGE_INTEGER after;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&before);
    system.Sleep(20);
    QueryPerformanceCounter(&after);
    EXPECT_GE((after.QuadPart - before.QuadPart) * 1000 / frequency.QuadPart, 10)
        << "the thread waited";

    char folder[MAX_PATH] = {};
    ASSERT_NE(GetTempPathA(MAX_PATH, folder), 0u);
    const std::string marker = std::string(folder) + "tavelmorind-winexec.txt";
    DeleteFileA(marker.c_str());
    system.WinExec("cmd.exe /c echo started>\"" + marker + "\"", SW_HIDE);
    // The command runs on its own; give it a generous while to leave its mark.
    for (int i = 0; i < 200 && GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) {
        Sleep(50);
    }
    EXPECT_NE(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileA(marker.c_str());
}

} // namespace
} // namespace tvm::test
