#include "PeerWorld.h"

namespace tvm::test {
namespace {

class Win32PeerButtons : public PeerTest {};

LONG_PTR Style(HWND window) {
    return GetWindowLongPtrA(window, GWL_STYLE);
}

TEST_F(Win32PeerButtons, PushButtonClickReachesTheModelOnce) {
    Click(Window(Form.Switch));
    EXPECT_EQ(Form.SwitchClicks, 1);
    EXPECT_EQ(Text(Window(Form.Switch)), "S&witch Mode");

    Form.Switch.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(Window(Form.Switch)));
    Click(Window(Form.Switch));
    EXPECT_EQ(Form.SwitchClicks, 1);

    Form.Switch.SetEnabled(true);
    Form.Switch.SetCaption("&Go");
    EXPECT_EQ(Text(Window(Form.Switch)), "&Go");
    EXPECT_EQ(Form.SwitchClicks, 1) << "mirroring the caption is no click";
}

TEST_F(Win32PeerButtons, DefaultButtonIsTheDefPushButton) {
    EXPECT_EQ(Style(Window(Form.Save)) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(Style(Window(Form.Close)) & BS_TYPEMASK, BS_PUSHBUTTON);
}

TEST_F(Win32PeerButtons, CheckBoxFollowsTheUserAndTheCodeWithoutEchoes) {
    const HWND box = Window(Form.Check);
    EXPECT_EQ(Style(box) & BS_TYPEMASK, BS_CHECKBOX) << "the model decides, not the box";

    Click(box);
    EXPECT_TRUE(Form.Check.Checked());
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Form.CheckClicks, 1);

    Form.Check.SetChecked(false); // by code: the handler runs once, the box follows
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Form.CheckClicks, 2);
    Loop.PumpPending();
    EXPECT_EQ(Form.CheckClicks, 2);

    SetFocus(box);
    Key(VK_SPACE);
    EXPECT_TRUE(Form.Check.Checked()) << "space toggles a focused check box";
    EXPECT_EQ(Form.CheckClicks, 3);
}

TEST_F(Win32PeerButtons, RadioButtonsLeaveTheDecisionToTheModel) {
    const HWND on = Window(Form.OnRadio);
    const HWND off = Window(Form.OffRadio);
    EXPECT_EQ(Style(on) & BS_TYPEMASK, BS_RADIOBUTTON);
    EXPECT_NE(Style(on) & WS_GROUP, 0);
    EXPECT_EQ(Style(off) & WS_GROUP, 0) << "one keyboard group";
    EXPECT_NE(Style(Window(Form.Check)) & WS_GROUP, 0) << "the group ends after the radios";
    EXPECT_NE(Style(on) & WS_TABSTOP, 0) << "none checked: the first is the tab stop";
    EXPECT_EQ(Style(off) & WS_TABSTOP, 0);

    Click(off);
    EXPECT_TRUE(Form.OffRadio.Checked());
    EXPECT_EQ(SendMessageA(off, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(on, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Form.OffClicks, 1);
    EXPECT_EQ(Form.OnClicks, 0);
    EXPECT_NE(Style(off) & WS_TABSTOP, 0) << "the checked one is the tab stop";
    EXPECT_EQ(Style(on) & WS_TABSTOP, 0);

    Click(off);
    EXPECT_EQ(Form.OffClicks, 1) << "checked already";

    Form.OnRadio.SetChecked(true);
    EXPECT_EQ(SendMessageA(on, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(off, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Form.OnClicks, 1);
    EXPECT_EQ(Form.OffClicks, 1);
}

TEST_F(Win32PeerButtons, ArrowKeysMoveWithinTheRadioGroupAndCheck) {
    Form.OnRadio.SetChecked(true);
    SetFocus(Window(Form.OnRadio));
    Key(VK_DOWN);
    EXPECT_EQ(GetFocus(), Window(Form.OffRadio));
    EXPECT_TRUE(Form.OffRadio.Checked());
    EXPECT_EQ(Form.OffClicks, 1);
    Key(VK_DOWN);
    EXPECT_EQ(GetFocus(), Window(Form.OnRadio)) << "the group wraps";
    EXPECT_TRUE(Form.OnRadio.Checked());
    EXPECT_EQ(Form.OnClicks, 2);
}

TEST_F(Win32PeerButtons, AccessKeyPressesTheButton) {
    SetFocus(Window(Form.Check));
    PostMessageA(GetFocus(), WM_SYSCHAR, 'w', 1 << 29);
    Loop.PumpPending();
    EXPECT_EQ(Form.SwitchClicks, 1);
}

} // namespace
} // namespace tvm::test
