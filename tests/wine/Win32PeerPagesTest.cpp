#include "PeerWorld.h"

namespace tvm::test {
namespace {

class Win32PeerPages : public PeerTest {
protected:
    HWND Tabs() const { return Window(Form.Pages); }
    static bool Shown(HWND window) {
        return (GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0;
    }
};

TEST_F(Win32PeerPages, ShowsTheActivePageOnly) {
    EXPECT_EQ(SendMessageA(Tabs(), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(Tabs(), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(Shown(Window(Form.FirstSheet)));
    EXPECT_FALSE(Shown(Window(Form.SecondSheet)));
    EXPECT_EQ(GetParent(Window(Form.SheetCheck)), Window(Form.FirstSheet));

    Form.Pages.SetActivePageIndex(1);
    EXPECT_EQ(SendMessageA(Tabs(), TCM_GETCURSEL, 0, 0), 1);
    EXPECT_FALSE(Shown(Window(Form.FirstSheet)));
    EXPECT_TRUE(Shown(Window(Form.SecondSheet)));
}

TEST_F(Win32PeerPages, TheUserSwitchesPagesAndUsesTheirControls) {
    SendMessageA(Tabs(), TCM_SETCURSEL, 1, 0);
    NMHDR change{Tabs(), static_cast<UINT_PTR>(GetDlgCtrlID(Tabs())), TCN_SELCHANGE};
    SendMessageA(Window(), WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(Form.Pages.ActivePageIndex(), 1);
    EXPECT_TRUE(Shown(Window(Form.SecondSheet)));

    Click(Window(Form.SheetButton));
    EXPECT_EQ(Form.SheetButtonClicks, 1);
    SetFocus(Window(Form.SheetButton));
    Key(VK_RETURN);
    EXPECT_EQ(Form.SheetButtonClicks, 2) << "Enter presses the focused button on a page";
    EXPECT_EQ(Form.SaveClicks, 0);
}

TEST_F(Win32PeerPages, TheSheetCaptionIsTheTab) {
    Form.SecondSheet.SetCaption("Later");
    char text[32] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(Tabs(), TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "Later");
}

TEST_F(Win32PeerPages, StatusBarShowsTheTextAndRepaintsAtOnce) {
    // A simple status bar reads its text as part 0.
    char text[64] = {};
    SendMessageA(Window(Form.Status), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Ready");
    Form.Status.SetSimpleText("Please wait whilst saving...");
    Form.Status.Repaint();
    SendMessageA(Window(Form.Status), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Please wait whilst saving...");
    EXPECT_EQ(Form.Status.RepaintCount(), 1);
    EXPECT_FALSE(GetUpdateRect(Window(Form.Status), nullptr, FALSE)) << "painted already";
}

} // namespace
} // namespace tvm::test
