#include "PeerWorld.h"

#include <functional>

namespace tvm::test {
namespace {

class Win32Menus : public PeerTest {
protected:
    HMENU Bar() const { return GetMenu(Window()); }
    HMENU Options() const { return GetSubMenu(Bar(), 1); }

    static MENUITEMINFOA Info(HMENU menu, UINT position, std::string* text = nullptr) {
        static char buffer[64];
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = buffer;
        info.cch = sizeof buffer;
        GetMenuItemInfoA(menu, position, TRUE, &info);
        if (text != nullptr) {
            *text = buffer;
        }
        return info;
    }

    void Command(UINT id) {
        SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        Loop.PumpPending();
    }

    // Runs `step` from a timer while a pop-up menu or a dialog holds the thread.
    void WhileModal(std::function<void()> step) {
        step_ = std::move(step);
        Toolkit.SetMessageHook(Form, [this](UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
            if (message != WM_TIMER || wParam != 77) {
                return false;
            }
            KillTimer(Window(), 77);
            step_();
            result = 0;
            return true;
        });
        SetTimer(Window(), 77, 50, nullptr);
    }

    static HWND MenuWindow() { return FindWindowA("#32768", nullptr); }

    std::function<void()> step_;
};

TEST_F(Win32Menus, TheBarShowsTheModelsItems) {
    ASSERT_EQ(GetMenuItemCount(Bar()), 2);
    std::string text;
    Info(Bar(), 0, &text);
    EXPECT_EQ(text, "&File");
    ASSERT_EQ(GetMenuItemCount(Options()), 6);
    EXPECT_NE(Info(Options(), 0).fState & MFS_CHECKED, 0u);
    EXPECT_EQ(Info(Options(), 0).fType & MFT_RADIOCHECK, 0u);
    EXPECT_NE(Info(Options(), 1).fType & MFT_RADIOCHECK, 0u);
    EXPECT_NE(Info(Options(), 1).fState & MFS_CHECKED, 0u);
    EXPECT_EQ(Info(Options(), 2).fState & MFS_CHECKED, 0u);
    EXPECT_NE(Info(Options(), 3).fState & MFS_DISABLED, 0u);
    EXPECT_NE(Info(Options(), 4).fType & MFT_SEPARATOR, 0u);
    const HMENU more = Info(Options(), 5).hSubMenu;
    ASSERT_NE(more, nullptr);
    Info(more, 0, &text);
    EXPECT_EQ(text, "&Deep && Far");
}

TEST_F(Win32Menus, AMenuShowsTheModelAsItIsWhenItOpens) {
    Form.FastItem->Checked = false;
    Form.RadioA->Checked = false;
    Form.RadioB->Checked = true;
    Form.DisabledItem->Enabled = true;
    SendMessageA(Window(), WM_INITMENU, reinterpret_cast<WPARAM>(Bar()), 0);
    SendMessageA(Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(Options()), 1);
    EXPECT_EQ(Info(Options(), 0).fState & MFS_CHECKED, 0u);
    EXPECT_EQ(Info(Options(), 1).fState & MFS_CHECKED, 0u);
    EXPECT_NE(Info(Options(), 2).fState & MFS_CHECKED, 0u);
    EXPECT_EQ(Info(Options(), 3).fState & MFS_DISABLED, 0u);
}

TEST_F(Win32Menus, ChoosingAnItemClicksItOnce) {
    Command(Info(GetSubMenu(Bar(), 0), 0).wID);
    EXPECT_EQ(Form.SaveItemClicks, 1);
    const HMENU more = Info(Options(), 5).hSubMenu;
    Command(Info(more, 0).wID);
    EXPECT_EQ(Form.DeepClicks, 1);
    EXPECT_EQ(Form.SaveItemClicks, 1);
}

TEST_F(Win32Menus, PopupRunsOnPopupFirstAndThenTheChosenItem) {
    bool seen = false;
    WhileModal([&] {
        const HWND menu = MenuWindow();
        ASSERT_NE(menu, nullptr);
        const auto popup = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(Form.TrayPopups, 1) << "OnPopup ran before the menu showed";
        EXPECT_NE(Info(popup, 1).fState & MFS_CHECKED, 0u) << "with what OnPopup set";
        EXPECT_NE(Info(popup, 0).fState & MFS_DEFAULT, 0u);
        seen = true;
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    });
    Toolkit.Popup(Form.TrayMenu, Form, 100, 100);
    EXPECT_TRUE(seen);
    EXPECT_EQ(Form.TrayPopups, 1);
    EXPECT_EQ(Form.OpenClicks, 1);
    EXPECT_EQ(Form.EnabledClicks, 0);
}

TEST_F(Win32Menus, TheContextMenuIsThePopupMenu) {
    WhileModal([&] {
        if (const HWND menu = MenuWindow()) {
            PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        }
    });
    SendMessageA(Window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Window()), MAKELPARAM(50, 50));
    EXPECT_EQ(Form.TrayPopups, 1);
    EXPECT_EQ(Form.OpenClicks, 0);

    WhileModal([&] {
        if (const HWND menu = MenuWindow()) {
            PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        }
    });
    SendMessageA(Window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Window()), MAKELPARAM(50, 50));
    EXPECT_EQ(Form.TrayPopups, 2) << "each time it opens";
}

} // namespace
} // namespace tvm::test
