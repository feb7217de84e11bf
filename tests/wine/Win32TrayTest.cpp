#include "PeerWorld.h"

#include "platform/win32/Win32System.h"
#include "platform/win32/Win32Tray.h"

#include <cstring>

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

TEST_F(Win32TrayTest, AddModifyDeleteReturn) {
    Win32Tray tray(Toolkit, Form, {SystemIcon(), SystemIcon(), SystemIcon()});
    TrayIconData data;
    data.Tip = "Tavelmorind - Starting Up...";
    tray.Add(data);
    data.Picture = TrayPicture::Enabled;
    data.Tip = "Tavelmorind";
    tray.Modify(data);
    tray.Delete(data);
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
    system.Sleep(1);
    system.WinExec("cmd.exe /c exit 0", SW_HIDE);
}

} // namespace
} // namespace tvm::test
