// The program's own windows realised by the Win32 toolkit over the simulated platform
// services: their layout as the user sees it, and a screenshot of each for review.
#include "Screenshot.h"

#include "app/Program.h"
#include "platform/sim/IniFileProfile.h"
#include "platform/sim/MemoryRunAtLogon.h"
#include "platform/sim/ScriptedDialogs.h"
#include "platform/sim/SimDisplay.h"
#include "platform/sim/SimShell.h"
#include "platform/win32/Win32MessageLoop.h"
#include "platform/win32/Win32Timers.h"
#include "platform/win32/Win32Toolkit.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

namespace tvm::test {
namespace {

constexpr const char* kModes = "640 480 32 60,72,75,85,100\n800 600 32 56,60,72,75,85 *\n"
                               "1024 768 32 60,70,75,85\n1024 768 16 60,75\n";

// The forms realised by the toolkit alone, without the program's application window
// and tray; the toolkit is made with the first form, when the application exists.
class ToolkitWindows : public WindowSystem {
public:
    explicit ToolkitWindows(Win32MessageLoop& loop) : loop_(loop) {}
    void Realize(TForm& form) override {
        if (!toolkit_) {
            toolkit_ = std::make_unique<Win32Toolkit>(form.App(), loop_);
        }
        toolkit_->Realise(form);
    }
    void RealizeMain(TForm& main, ShellEvents& /*events*/) override { Realize(main); }
    void HideApplicationWindow() override {}
    void RunMessageLoop(TApplication&) override {}

private:
    Win32MessageLoop& loop_;
    std::unique_ptr<Win32Toolkit> toolkit_;
};

class ProgramWindows : public ::testing::Test {
protected:
    ProgramWindows() {
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        iniPath_ = std::string(folder) + "tavelmorind-windows-test.ini";
        DeleteFileA(iniPath_.c_str());
        WritePrivateProfileStringA("Init", "Program Run Before", "1", iniPath_.c_str());
        EXPECT_TRUE(program_.Start());
        loop_.PumpPending();
    }
    ~ProgramWindows() override { DeleteFileA(iniPath_.c_str()); }

    // Where a control sits in its form's client area.
    static POINT At(const TControl& control) {
        RECT rect;
        GetWindowRect(Win32Toolkit::Handle(control), &rect);
        POINT p{rect.left, rect.top};
        ScreenToClient(Win32Toolkit::Handle(control.Owner()), &p);
        return p;
    }
    static bool Shown(const TControl& control) {
        return IsWindowVisible(Win32Toolkit::Handle(control)) != FALSE;
    }
    void Screenshot(const std::string& name) {
        loop_.PumpFor(300);
        std::string error;
        if (!SaveScreenshot(name, error)) {
            std::printf("no screenshot %s: %s\n", name.c_str(), error.c_str());
        }
    }

    std::string iniPath_;
    SimDisplay display_{SimDisplay::ParseModeList(kModes, "test"), 1};
    ScriptedDialogs dialogs_;
    Win32MessageLoop loop_;
    Win32Timers timers_{loop_};
    IniFileProfile ini_{iniPath_, "Tavelmorind.ini"};
    MemoryRunAtLogon runKey_{"C:\\Tavelmorind.exe"};
    VirtualClock clock_;
    SimTray tray_;
    SimSystem system_{clock_};
    SimPower power_;
    SimSingleInstance instance_;
    ToolkitWindows windows_{loop_};
    Platform platform_{dialogs_, timers_,   MainServices{display_, ini_, runKey_, tray_, system_},
                       power_,   instance_, windows_};
    Program program_{platform_};
};

TEST_F(ProgramWindows, AdvancedSettingsShowsItsFiveTabsLaidOutInTheirGroups) {
    TAdvanceForm& dialog = *program_.AdvanceForm;
    program_.MainForm->Button1.Click();
    loop_.PumpPending();
    ASSERT_TRUE(IsWindowVisible(Win32Toolkit::Handle(dialog)));
    RECT client;
    GetClientRect(Win32Toolkit::Handle(dialog), &client);
    EXPECT_EQ(client.right, 457);
    EXPECT_EQ(client.bottom, 225);

    // The page control at 8,8, its page below the tabs, the group at 8,8 in the page,
    // the check box at 8,24 in the group.
    const POINT check = At(dialog.CheckBox5);
    EXPECT_EQ(check.x, 8 + 4 + 8 + 8);
    EXPECT_EQ(check.y, 8 + 24 + 8 + 24);
    EXPECT_EQ(At(dialog.BitBtnClose).x, 376);
    EXPECT_EQ(At(dialog.BitBtnClose).y, 192);

    const std::vector<const TControl*> firstOnPage = {&dialog.CheckBox5, &dialog.CheckBox1,
                                                      &dialog.SpinEdit1, &dialog.RadioButton1,
                                                      &dialog.SpinEdit4};
    for (int page = 0; page < 5; ++page) {
        dialog.PageControlMain.SetActivePageIndex(page);
        loop_.PumpPending();
        for (int other = 0; other < 5; ++other) {
            EXPECT_EQ(Shown(*firstOnPage[static_cast<std::size_t>(other)]), other == page)
                << "page " << page << ", control of page " << other;
        }
        Screenshot("advanced-tab" + std::to_string(page + 1) + ".png");
    }
    dialog.BitBtnClose.Click();
    loop_.PumpPending();
    EXPECT_FALSE(IsWindowVisible(Win32Toolkit::Handle(dialog)));
}

TEST_F(ProgramWindows, AboutAndConfirmationLayOutTheirControls) {
    program_.MainForm->About1->Click();
    loop_.PumpPending();
    TAboutForm& about = *program_.AboutForm;
    EXPECT_EQ(At(about.verLabel).x, 8 + 48);
    EXPECT_EQ(At(about.CloseBitBtn).x, 248);
    Screenshot("about.png");
    about.CloseBitBtn.Click();

    program_.MainForm->SwitchToModeByKey("640x480 - 32 BPP");
    loop_.PumpPending();
    TTimerForm& confirm = *program_.TimerForm;
    ASSERT_TRUE(IsWindowVisible(Win32Toolkit::Handle(confirm)));
    EXPECT_EQ(At(confirm.Label3).x, 8 + 8);
    EXPECT_EQ(At(confirm.Label3).y, 8 + 96);
    char text[64] = {};
    GetWindowTextA(Win32Toolkit::Handle(confirm.Label3), text, sizeof text);
    EXPECT_STREQ(text, "10 seconds");
    Screenshot("confirm-display-settings.png");
    confirm.BitBtnYes.Click();
    loop_.PumpPending();
}

TEST_F(ProgramWindows, BevelIsABottomLineGridRowsAreSixteenHighTabsHotTrack) {
    TMainForm& main = *program_.MainForm;
    main.Show();
    loop_.PumpPending();
    const HWND bevel = Win32Toolkit::Handle(main.Bevel1);
    RECT rect;
    GetClientRect(bevel, &rect);
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, rect.right, rect.bottom);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(bevel, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int y = 0; y < rect.bottom; ++y) {
        EXPECT_EQ(GetPixel(dc, rect.right / 2, y) == face, y < rect.bottom - 2) << "row " << y;
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);

    RECT row{LVIR_BOUNDS, 0, 0, 0};
    const HWND grid = Win32Toolkit::Handle(main.MainStringGrid);
    ASSERT_TRUE(SendMessageA(grid, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)));
    RECT next{LVIR_BOUNDS, 0, 0, 0};
    ASSERT_TRUE(SendMessageA(grid, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&next)));
    EXPECT_EQ(next.top - row.top, 16);

    const HWND tabs = Win32Toolkit::Handle(program_.AdvanceForm->PageControlMain);
    EXPECT_NE(GetWindowLongPtrA(tabs, GWL_STYLE) & TCS_HOTTRACK, 0);
    Screenshot("main-window-table.png");
}

} // namespace
} // namespace tvm::test
