#include "PeerWorld.h"
#include "PumpFor.h"
#include "Screenshot.h"

#include "base/ProgramError.h"

#include <stdexcept>
#include <thread>

namespace tvm::test {
namespace {

class Win32PeerForm : public PeerTest {};

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

LONG_PTR Style(HWND window) {
    return GetWindowLongPtrA(window, GWL_STYLE);
}

void ExpectAt(HWND window, int left, int top, int width, int height) {
    const RECT rect = [&] {
        RECT r;
        GetWindowRect(window, &r);
        MapWindowPoints(nullptr, GetAncestor(window, GA_ROOT), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }();
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    if (width >= 0) {
        EXPECT_EQ(rect.right - rect.left, width);
    }
    if (height >= 0) {
        EXPECT_EQ(rect.bottom - rect.top, height);
    }
}

TEST_F(Win32PeerForm, RealizesEveryControlKindAsARealWindow) {
    ASSERT_NE(Window(), nullptr);
    EXPECT_FALSE(IsWindowVisible(Window())) << "hidden until the model shows it";
    EXPECT_EQ(Text(Window()), "Peer Test");
    RECT client;
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.right, 480);
    EXPECT_EQ(client.bottom, 300);
    EXPECT_NE(GetMenu(Window()), nullptr);

    EXPECT_EQ(ClassOf(Window(Form.Group)), "Button");
    EXPECT_EQ(Style(Window(Form.Group)) & BS_TYPEMASK, BS_GROUPBOX);
    ExpectAt(Window(Form.Group), 8, 8, 220, 49);
    ExpectAt(Window(Form.OnRadio), 16, 30, 50, 17);
    EXPECT_EQ(ClassOf(Window(Form.RateLabel)), "Static");
    ExpectAt(Window(Form.RateLabel), 8, 70, -1, -1);
    RECT label;
    GetClientRect(Window(Form.RateLabel), &label);
    EXPECT_GT(label.right, 20) << "a label without a size takes its text's";
    EXPECT_GT(label.bottom, 8);
    EXPECT_EQ(ClassOf(Window(Form.Combo)), "ComboBox");
    EXPECT_EQ(Style(Window(Form.Combo)) & 3, CBS_DROPDOWN);
    ExpectAt(Window(Form.Combo), 56, 66, 65, -1);
    EXPECT_EQ(ClassOf(Window(Form.Spin)), "Edit");
    ExpectAt(Window(Form.Spin), 136, 66, 80 - GetSystemMetrics(SM_CXVSCROLL), 21);
    EXPECT_EQ(ClassOf(GetWindow(Window(Form.Spin), GW_HWNDNEXT)), "msctls_updown32");
    EXPECT_EQ(ClassOf(Window(Form.Grid)), "SysListView32");
    ExpectAt(Window(Form.Grid), 8, 96, 300, 124);
    EXPECT_EQ(ClassOf(Window(Form.Pages)), "SysTabControl32");
    ExpectAt(Window(Form.Pages), 316, 96, 156, 124);
    EXPECT_EQ(ClassOf(Window(Form.FirstSheet)), Win32Toolkit::PageClass);
    ExpectAt(Window(Form.SheetCheck), 328, 130, 130, 17);
    EXPECT_EQ(ClassOf(Window(Form.Bevel)), "Static");
    EXPECT_EQ(Style(Window(Form.Bevel)) & SS_TYPEMASK, SS_ETCHEDHORZ);
    EXPECT_EQ(Style(Window(Form.Image)) & SS_TYPEMASK, SS_ICON);
    EXPECT_FALSE(IsWindowVisible(Window(Form.Image)) || Style(Window(Form.Image)) & WS_VISIBLE);
    EXPECT_EQ(ClassOf(Window(Form.Status)), "msctls_statusbar32");
    EXPECT_TRUE(SendMessageA(Window(Form.Status), SB_ISSIMPLE, 0, 0));
    ExpectAt(Window(Form.Save), 316, 244, 75, 25);

    const auto font = reinterpret_cast<HFONT>(SendMessageA(Window(Form.Check), WM_GETFONT, 0, 0));
    LOGFONTA face{};
    ASSERT_NE(font, nullptr);
    GetObjectA(font, sizeof face, &face);
    EXPECT_EQ(face.lfHeight, -11);
    EXPECT_STREQ(face.lfFaceName, "MS Shell Dlg");

    MINMAXINFO limits{};
    SendMessageA(Window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 420);
    EXPECT_EQ(limits.ptMinTrackSize.y, 320);
}

TEST_F(Win32PeerForm, ShowsHidesAndKeepsItsWindowWhenClosed) {
    Form.Show();
    EXPECT_TRUE(IsWindowVisible(Window()));
    PumpFor(Loop, 200);
    std::string error;
    EXPECT_TRUE(SaveScreenshot("peers.png", error)) << error;

    SendMessageA(Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Form.Closes, 1);
    EXPECT_FALSE(Form.Visible());
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_TRUE(IsWindow(Window())) << "the model decides; the window stays";

    Form.OnClose = [this](CloseAction& action) {
        ++Form.Closes;
        action = CloseAction::None;
    };
    Form.Show();
    SendMessageA(Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Form.Closes, 2);
    EXPECT_TRUE(IsWindowVisible(Window())) << "a form that refuses to close stays";
}

TEST_F(Win32PeerForm, TabVisitsTheControlsInCreationOrder) {
    std::vector<HWND> stops;
    HWND at = GetNextDlgTabItem(Window(), nullptr, FALSE);
    while (at != nullptr && stops.size() < 20) {
        stops.push_back(at);
        at = GetNextDlgTabItem(Window(), at, FALSE);
        if (at == stops.front()) {
            break;
        }
    }
    const std::vector<HWND> expected = {
        Window(Form.OnRadio), Window(Form.Check), Window(Form.Combo),      Window(Form.Spin),
        Window(Form.Grid),    Window(Form.Pages), Window(Form.SheetCheck), Window(Form.Switch),
        Window(Form.Save),    Window(Form.Close)};
    EXPECT_EQ(stops, expected);
}

TEST_F(Win32PeerForm, AnExplicitTabOrderComesFirst) {
    PeerTestForm other(App);
    other.TabOrder = {&other.Close, &other.Save, &other.Check};
    Toolkit.Realize(other);
    const HWND window = Win32Toolkit::Handle(other);
    const HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
    EXPECT_EQ(first, Win32Toolkit::Handle(other.Close));
    EXPECT_EQ(GetNextDlgTabItem(window, first, FALSE), Win32Toolkit::Handle(other.Save));
    EXPECT_EQ(GetNextDlgTabItem(window, Win32Toolkit::Handle(other.Save), FALSE),
              Win32Toolkit::Handle(other.Check));
    EXPECT_EQ(GetNextDlgTabItem(window, Win32Toolkit::Handle(other.Check), FALSE),
              Win32Toolkit::Handle(other.OnRadio));
}

TEST_F(Win32PeerForm, AnchoredControlsFollowTheFrame) {
    const int resizes = Form.Resizes;
    RECT frame;
    GetWindowRect(Window(), &frame);
    SetWindowPos(Window(), nullptr, 0, 0, frame.right - frame.left + 40,
                 frame.bottom - frame.top + 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Loop.PumpPending();

    EXPECT_EQ(Form.ClientWidth, 520);
    EXPECT_EQ(Form.ClientHeight, 330);
    EXPECT_EQ(Form.Resizes, resizes + 1);
    EXPECT_EQ(Form.Grid.Width(), 340) << "left and right: stretches";
    EXPECT_EQ(Form.Grid.Height(), 154);
    EXPECT_EQ(Form.Check.Left(), 280) << "right only: moves";
    EXPECT_EQ(Form.Switch.Top(), 274);
    EXPECT_EQ(Form.Switch.Left(), 8);
    EXPECT_EQ(Form.Group.Width(), 220) << "left and top: stays";
    ExpectAt(Window(Form.Grid), 8, 96, 340, 154);
    ExpectAt(Window(Form.Check), 280, 30, 232, 17);
    ExpectAt(Window(Form.Save), 356, 274, 75, 25);
    ExpectAt(Window(Form.Bevel), 8, 258, 504, 9);
    ExpectAt(Window(Form.Pages), 356, 96, 156, 124);
    ExpectAt(Window(Form.SheetCheck), 368, 130, 130, 17);
}

TEST_F(Win32PeerForm, AChildInsideAnAnchoredGroupMovesWithItAndStaysInside) {
    TForm form(App);
    form.SetCaption("Nested anchors");
    form.ClientWidth = 300;
    form.ClientHeight = 120;
    TGroupBox group(form);
    group.SetBounds(200, 8, 92, 60);
    group.SetAnchors(AnchorTop | AnchorRight);
    TCheckBox child(form);
    child.SetParent(&group);
    child.SetBounds(8, 20, 76, 17);
    child.SetAnchors(AnchorLeft | AnchorTop | AnchorRight);
    child.SetCaption("Inside");
    Toolkit.Realize(form);
    const HWND window = Win32Toolkit::Handle(form);
    RECT frame;
    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + 50, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Loop.PumpPending();

    EXPECT_EQ(form.ClientWidth, 350);
    ExpectAt(Win32Toolkit::Handle(group), 250, 8, 92, 60);
    EXPECT_EQ(child.Width(), 76) << "the group kept its size";
    ExpectAt(Win32Toolkit::Handle(child), 258, 28, 76, 17);
}

TEST_F(Win32PeerForm, EnterPressesTheDefaultButtonUnlessAPushButtonHasTheFocus) {
    SetFocus(Window(Form.Check));
    Key(VK_RETURN);
    EXPECT_EQ(Form.SaveClicks, 1);
    EXPECT_EQ(Form.CheckClicks, 0);

    SetFocus(Window(Form.Switch));
    Key(VK_RETURN);
    EXPECT_EQ(Form.SwitchClicks, 1);
    EXPECT_EQ(Form.SaveClicks, 1);
    EXPECT_EQ(GetWindowLongPtrA(Window(Form.Switch), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON)
        << "the focused push button shows as the default";
    EXPECT_EQ(GetWindowLongPtrA(Window(Form.Save), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);

    SetFocus(Window(Form.Combo));
    EXPECT_EQ(GetWindowLongPtrA(Window(Form.Save), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    Key(VK_RETURN);
    EXPECT_EQ(Form.SaveClicks, 2) << "from the combo's edit field";
    EXPECT_EQ(Form.ComboChanges.size(), 0u);
}

TEST_F(Win32PeerForm, EscapePressesTheCancelButton) {
    SetFocus(Window(Form.Grid));
    Key(VK_ESCAPE);
    EXPECT_EQ(Form.CloseClicks, 1);
    EXPECT_EQ(Form.SaveClicks, 0);
    EXPECT_EQ(Form.Closes, 0) << "the button, not the frame's close box";
}

TEST_F(Win32PeerForm, LabelAccessKeyMovesTheFocusToItsControl) {
    SetFocus(Window(Form.Check));
    PostMessageA(GetFocus(), WM_SYSCHAR, 'e', 1 << 29);
    Loop.PumpPending();
    const HWND focus = GetFocus();
    EXPECT_TRUE(focus == Window(Form.Combo) || GetParent(focus) == Window(Form.Combo));
}

TEST_F(Win32PeerForm, LabelAccessKeyOfADisabledControlDoesNothing) {
    Form.Combo.SetEnabled(false);
    SetFocus(Window(Form.Check));
    PostMessageA(GetFocus(), WM_SYSCHAR, 'e', 1 << 29);
    Loop.PumpPending();
    EXPECT_EQ(GetFocus(), Window(Form.Check)) << "not the next control that takes the focus";
    Form.Combo.SetEnabled(true);
    PostMessageA(GetFocus(), WM_SYSCHAR, 'e', 1 << 29);
    Loop.PumpPending();
    const HWND focus = GetFocus();
    EXPECT_TRUE(focus == Window(Form.Combo) || GetParent(focus) == Window(Form.Combo));
}

TEST_F(Win32PeerForm, HintsBecomeTooltips) {
    const HWND tips = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr);
    HWND ours = nullptr;
    for (HWND at = tips; at != nullptr; at = FindWindowExA(nullptr, at, TOOLTIPS_CLASSA, nullptr)) {
        if (GetWindow(at, GW_OWNER) == Window()) {
            ours = at;
        }
    }
    ASSERT_NE(ours, nullptr);
    // On, the check box, the combo box and its edit field, Switch Mode.
    EXPECT_EQ(SendMessageA(ours, TTM_GETTOOLCOUNT, 0, 0), 5);
    Form.Switch.SetHint("");
    EXPECT_EQ(SendMessageA(ours, TTM_GETTOOLCOUNT, 0, 0), 4);
    Form.Group.SetHint("The group");
    EXPECT_EQ(SendMessageA(ours, TTM_GETTOOLCOUNT, 0, 0), 5);
}

TEST_F(Win32PeerForm, AHandlerErrorIsShownAndTheProgramGoesOn) {
    Form.Switch.OnClick = [this] {
        ++Form.SwitchClicks;
        throw ProgramError("Cannot switch");
    };
    Click(Window(Form.Switch));
    Click(Window(Form.Switch));
    EXPECT_EQ(Form.SwitchClicks, 2);
    ASSERT_EQ(Dialogs.Errors().size(), 2u);
    EXPECT_EQ(Dialogs.Errors()[0], "Cannot switch.");
}

TEST_F(Win32PeerForm, OtherErrorsLeaveTheLoopAfterTheMessage) {
    Form.Switch.OnClick = [] { throw std::runtime_error("a bug"); };
    PostMessageA(Window(Form.Switch), BM_CLICK, 0, 0);
    EXPECT_THROW(Loop.PumpPending(), std::runtime_error);
    EXPECT_NO_THROW(Loop.PumpPending());
}

TEST_F(Win32PeerForm, TheLoopEndsWhenTheApplicationTerminates) {
    App.Terminate();
    Loop.Run(App); // returns at once

    TApplication app(Dialogs, Timers);
    PeerTestForm form(app);
    Toolkit.Realize(form);
    Toolkit.SetMessageHook(form, [&](UINT message, WPARAM, LPARAM, LRESULT& result) {
        if (message != WM_APP + 7) {
            return false;
        }
        app.Terminate();
        result = 0;
        return true;
    });
    // A message sent from another thread is handled inside GetMessage, which would not
    // come back without the wake-up.
    const HWND window = Win32Toolkit::Handle(form);
    std::thread sender([window] {
        Sleep(100);
        SendMessageA(window, WM_APP + 7, 0, 0);
    });
    Loop.Run(app);
    sender.join();
    EXPECT_TRUE(app.Terminated());
}

} // namespace
} // namespace tvm::test

namespace tvm::test {
namespace {

TEST_F(Win32PeerForm, AFormWithoutControlsTakesKeysAndMouseItself) {
    TForm bare(App);
    bare.BorderStyle = TBorderStyle::None;
    bare.BlackBackground = true;
    std::vector<int> keys;
    int moves = 0;
    bare.OnKeyDown = [&](int key) { keys.push_back(key); };
    bare.OnMouseMove = [&](int, int) { ++moves; };
    Toolkit.Realize(bare);
    const HWND window = Win32Toolkit::Handle(bare);
    EXPECT_EQ(GetWindowLongPtrA(window, GWL_STYLE) & WS_CAPTION, 0);
    SetFocus(window);
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(window, WM_KEYDOWN, 'A', 1);
    PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 4));
    Loop.PumpPending();
    EXPECT_EQ(keys, (std::vector<int>{VK_ESCAPE, 'A'})) << "Escape too, past IsDialogMessage";
    EXPECT_EQ(moves, 1);
}

} // namespace
} // namespace tvm::test
