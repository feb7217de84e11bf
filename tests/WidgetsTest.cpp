#include "platform/sim/ScriptedDialogs.h"
#include "platform/sim/VirtualClock.h"
#include "ui/widgets/Application.h"
#include "ui/widgets/Form.h"
#include "ui/widgets/Grid.h"
#include "ui/widgets/Menus.h"
#include "ui/widgets/StdCtrls.h"

#include <gtest/gtest.h>

namespace tvm {
namespace {

struct Widgets : ::testing::Test {
    ScriptedDialogs dialogs;
    VirtualClock clock;
    TApplication app{dialogs, clock};
    TForm form{app};
    int events = 0;
};

TEST_F(Widgets, CheckBoxRunsItsHandlerOnEveryChangeByUserOrCode) {
    TCheckBox box(form);
    box.OnClick = [&] { ++events; };
    box.SetChecked(true);
    box.SetChecked(true); // no change, no event
    box.Click();          // the user unchecks it
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(events, 2);
    box.SetEnabled(false);
    box.Click();
    EXPECT_EQ(events, 2) << "a disabled check box ignores the user";
    box.SetChecked(true);
    EXPECT_EQ(events, 3) << "code still changes a disabled check box";
}

TEST_F(Widgets, RadioButtonRunsOnlyWhenItBecomesCheckedAndUnchecksItsGroup) {
    TRadioGroupScope group;
    TRadioButton on(form, group), off(form, group);
    int onEvents = 0, offEvents = 0;
    on.OnClick = [&] { ++onEvents; };
    off.OnClick = [&] { ++offEvents; };

    off.SetChecked(false); // already unchecked
    on.SetChecked(false);
    EXPECT_EQ(onEvents + offEvents, 0);

    on.SetChecked(true);
    EXPECT_EQ(onEvents, 1);
    off.Click();
    EXPECT_TRUE(off.Checked());
    EXPECT_FALSE(on.Checked());
    EXPECT_EQ(onEvents, 1) << "becoming unchecked runs nothing";
    EXPECT_EQ(offEvents, 1);
    off.Click(); // checked already
    EXPECT_EQ(offEvents, 1);
}

TEST_F(Widgets, ComboReportsUserChangesButNotCodeChanges) {
    TComboBox combo(form);
    combo.MaxLength = 3;
    std::vector<std::string> seen;
    combo.OnChange = [&] { seen.push_back(combo.Text()); };
    combo.OnKeyPress = [&](char& key) {
        if (key == 'q') {
            key = 0;
        }
    };

    combo.SetItems({"0", "75", "60"});
    combo.SetItemIndex(1);
    combo.SetText("85");
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(combo.Text(), "85");

    combo.TypeText("\b\b1q234"); // two deletions, q swallowed, 4 past the limit
    EXPECT_EQ(seen, (std::vector<std::string>{"8", "", "1", "12", "123"}));

    combo.SelectItem(2);
    EXPECT_EQ(combo.Text(), "60");
    EXPECT_EQ(combo.ItemIndex(), 2);
    combo.Paste("-12345");
    EXPECT_EQ(combo.Text(), "-12") << "pasting is cut to the limit";
    EXPECT_EQ(seen.size(), 7u);
}

TEST_F(Widgets, SpinEditAlwaysHoldsAValueWithinItsRange) {
    TSpinEdit spin(form);
    spin.SetRange(1000, 60000, 1000, 5);
    EXPECT_EQ(spin.Value(), 1000);
    spin.SetValue(90000);
    EXPECT_EQ(spin.Text(), "60000");
    spin.TypeText("123456");
    EXPECT_EQ(spin.Text(), "12345") << "at most five characters";
    EXPECT_EQ(spin.Value(), 12345);
    spin.TypeText("abc");
    EXPECT_EQ(spin.Value(), 1000) << "text that is not a number reads as the minimum";
    spin.TypeText("5");
    spin.LoseFocus();
    EXPECT_EQ(spin.Text(), "1000");
    spin.SetValue(59500);
    spin.StepUp();
    EXPECT_EQ(spin.Value(), 60000);
}

TEST_F(Widgets, TimerFollowsTheToolkitRules) {
    TTimer timer(app, 0);
    timer.OnTimer = [&] { ++events; };

    timer.SetEnabled(true);
    clock.Advance(10000);
    EXPECT_EQ(events, 0) << "interval 0 never fires";

    timer.SetInterval(100);
    clock.Advance(60);
    timer.SetEnabled(true); // already enabled: schedule unchanged
    clock.Advance(40);
    EXPECT_EQ(events, 1);

    clock.Advance(60);
    timer.SetEnabled(false);
    timer.SetEnabled(true); // restart: the full interval again
    clock.Advance(60);
    EXPECT_EQ(events, 1);
    clock.Advance(40);
    EXPECT_EQ(events, 2);

    clock.Advance(50);
    timer.SetInterval(100); // same interval: no restart
    clock.Advance(50);
    EXPECT_EQ(events, 3);
    clock.Advance(50);
    timer.SetInterval(200); // new interval: restarts
    clock.Advance(150);
    EXPECT_EQ(events, 3);
    clock.Advance(50);
    EXPECT_EQ(events, 4);
}

TEST_F(Widgets, TimerDropsATickQueuedBeforeItWasDisabled) {
    TTimer timer(app, 10);
    timer.OnTimer = [&] { ++events; };
    timer.SetEnabled(true);
    timer.SetEnabled(false);
    timer.Tick(); // what Win32 leaves in the queue
    EXPECT_EQ(events, 0);
}

TEST_F(Widgets, RefusedTimerRaisesAndNeverFires) {
    TTimer timer(app, 10);
    timer.OnTimer = [&] { ++events; };
    clock.RefuseTimers(true);
    TButton button(form);
    bool after = false;
    button.OnClick = [&] {
        timer.SetEnabled(true);
        after = true;
    };
    button.Click();
    EXPECT_FALSE(after) << "the handler stops at the refusal";
    EXPECT_TRUE(timer.Enabled());
    ASSERT_EQ(dialogs.Errors().size(), 1u);
    EXPECT_EQ(dialogs.Errors()[0], "Not enough timers available.");
    EXPECT_EQ(dialogs.History()[0].Title, "Tavelmorind");
    clock.RefuseTimers(false);
    clock.Advance(100);
    EXPECT_EQ(events, 0);
}

TEST_F(Widgets, ErrorBoxAddsAFullStopOnlyAfterCharactersSortingAfterIt) {
    EXPECT_EQ(ErrorBoxText("'abc' is not a valid integer value"),
              "'abc' is not a valid integer value.");
    EXPECT_EQ(ErrorBoxText("Failed to set data for 'Tavelmorind'"),
              "Failed to set data for 'Tavelmorind'");
    EXPECT_EQ(ErrorBoxText("Unable to write to x.ini"), "Unable to write to x.ini.");
    EXPECT_EQ(ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(ErrorBoxText("(x)"), "(x)");
    EXPECT_EQ(ErrorBoxText("42"), "42.");
    EXPECT_EQ(ErrorBoxText(""), "");
}

TEST_F(Widgets, GridSelectionAsksItsHandlerAndKeepsCellsWhenGrowing) {
    TStringGrid grid(form);
    grid.SetColCount(3);
    grid.SetRowCount(2);
    grid.SetCell(0, 1, "a");
    grid.SetRowCount(4);
    EXPECT_EQ(grid.Cell(0, 1), "a");
    EXPECT_EQ(grid.Cell(0, 3), "");
    grid.SetRowCount(3);
    EXPECT_EQ(grid.ColWidth(1), 64);

    bool allow = false;
    grid.OnSelectCell = [&](int, int, bool& canSelect) {
        ++events;
        canSelect = allow;
    };
    grid.SelectRow(2);
    EXPECT_EQ(grid.Row(), 1);
    allow = true;
    grid.SelectRow(2);
    EXPECT_EQ(grid.Row(), 2);
    grid.SelectRow(0); // the header cannot be selected
    EXPECT_EQ(events, 2);
}

TEST_F(Widgets, MenuClicksRunOnlyOnEnabledLeafItems) {
    TMenu menu(app);
    TMenuItem& sub = menu.Add("&Sub");
    TMenuItem& leaf = sub.Add("&Leaf");
    leaf.OnClick = [&] { ++events; };
    sub.OnClick = [&] { events += 100; };
    leaf.Click();
    sub.Click();
    leaf.Enabled = false;
    leaf.Click();
    EXPECT_EQ(events, 1);
    EXPECT_EQ(sub.Find("&Leaf"), &leaf);
    menu.OnPopup = [&] { events += 10; };
    menu.Popup();
    EXPECT_EQ(events, 11);
}

TEST_F(Widgets, FormShowAndHideRunTheirHandlersOnlyOnChange) {
    int shows = 0, hides = 0;
    form.OnShow = [&] { ++shows; };
    form.OnHide = [&] { ++hides; };
    form.Show();
    form.Show();
    EXPECT_EQ(shows, 1);
    form.Close(); // hides by default
    form.Hide();
    EXPECT_EQ(hides, 1);
    form.OnClose = [](CloseAction& action) { action = CloseAction::None; };
    form.Show();
    form.Close();
    EXPECT_TRUE(form.Visible());
}

} // namespace
} // namespace tvm

namespace tvm {
namespace {

struct BoundsPeer : ControlPeer {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    void SyncBounds(int left, int top, int width, int height) override {
        Left = left, Top = top, Width = width, Height = height;
    }
};

TEST_F(Widgets, AnchorsOfAChildFollowItsParentAndItsPeerMovesWithIt) {
    form.ClientWidth = 300;
    form.ClientHeight = 200;
    TGroupBox stretched(form), fixed(form);
    stretched.SetBounds(10, 10, 200, 100);
    stretched.SetAnchors(AnchorLeft | AnchorTop | AnchorRight);
    fixed.SetBounds(220, 10, 70, 100);
    fixed.SetAnchors(AnchorTop | AnchorRight);
    TButton inStretched(form), inFixed(form);
    inStretched.SetParent(&stretched);
    inStretched.SetBounds(150, 20, 40, 20);
    inStretched.SetAnchors(AnchorTop | AnchorRight);
    inFixed.SetParent(&fixed);
    inFixed.SetBounds(10, 20, 50, 20);
    inFixed.SetAnchors(AnchorLeft | AnchorTop | AnchorRight);
    auto peer = std::make_unique<BoundsPeer>();
    BoundsPeer& fixedChildPeer = *peer;
    inFixed.AttachPeer(std::move(peer));

    form.Resize(340, 200, 360, 240);
    EXPECT_EQ(stretched.Width(), 240);
    EXPECT_EQ(inStretched.Left(), 190) << "keeps its margin to the group's right edge";
    EXPECT_EQ(fixed.Left(), 260);
    EXPECT_EQ(inFixed.Left(), 10) << "the group did not grow, so neither does its child";
    EXPECT_EQ(inFixed.Width(), 50);
    EXPECT_EQ(fixedChildPeer.Left, 270) << "the peer sits where the moved group puts it";
}

} // namespace
} // namespace tvm
