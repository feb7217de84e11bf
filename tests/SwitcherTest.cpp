#include "SimWorld.h"

#include <gtest/gtest.h>

namespace tvm::test {
namespace {

using Strings = std::vector<std::string>;

// Overriding On without polling; the CRT starts in 800x600 at 32 bits, 56 Hz.
constexpr const char* kOn = "[Init]\nProgram Run Before=1\n[Main Options]\nSwitched On=1\n"
                            "[Advanced Options]\nCPU Enforce Modes=0\n";

struct Switcher : ::testing::Test {
    SimWorld world{"crt.modes"};
    TMainForm& Start(const std::string& extra = "") {
        return world.CreateMain(std::string(kOn) + extra);
    }
    TTimerForm& Confirm() { return *world.Prog.TimerForm; }
    const ScriptedDialogs::Shown& LastDialog() const { return world.Dialogs.History().back(); }
};

TEST_F(Switcher, QuestionNamesModeAndRateAndYesSwitchesWithConfirmation) {
    TMainForm& main = Start();
    main.MainStringGrid.SelectRow(9); // 1024x768 - 32 BPP, automatic 85
    main.Button2.Click();
    EXPECT_EQ(LastDialog().Text, "Changing the screen mode to 1024x768 - 32 BPP (85Hz).  Are you "
                                 "absolutely sure you want to change the screen mode?");
    EXPECT_EQ(LastDialog().Title, "Warning");
    EXPECT_EQ(LastDialog().Buttons, MsgDlgButtons::YesNo);
    EXPECT_EQ(world.Display.CurrentModeKey(), "1024x768 - 32 BPP");
    EXPECT_EQ(world.Display.CurrentFrequency(), 85u);
    EXPECT_EQ(world.Display.Changes().back().Flags, 0u) << "switcher 0 rearranges the desktop";

    TTimerForm& confirm = Confirm();
    EXPECT_TRUE(confirm.Visible());
    EXPECT_EQ(confirm.Label3.Caption(), "10 seconds");
    EXPECT_EQ(confirm.Left, (1024 - 313) / 2) << "centred on the new screen";
    EXPECT_EQ(confirm.Top, (768 - 171) / 2);
    EXPECT_FALSE(main.Button2.Enabled());
    EXPECT_FALSE(main.ChangeScreenMode1->Enabled);
    EXPECT_EQ(main.Switcher.PreviousModeKey(), "800x600 - 32 BPP");
    EXPECT_EQ(main.Switcher.PreviousFrequency(), 56);

    confirm.BitBtnYes.Click();
    EXPECT_FALSE(confirm.Visible());
    EXPECT_TRUE(main.Button2.Enabled());
    EXPECT_TRUE(main.ChangeScreenMode1->Enabled);
    world.Clock.Advance(20000);
    EXPECT_EQ(world.Display.CurrentModeKey(), "1024x768 - 32 BPP");
    EXPECT_TRUE(main.OnRadioButton.Checked());
}

TEST_F(Switcher, NoAnswerForTenSecondsRevertsAndSwitchesOff) {
    TMainForm& main = Start();
    main.MainStringGrid.SelectRow(2); // 640x480 - 16 BPP at 100
    main.Button2.Click();
    TTimerForm& confirm = Confirm();
    Strings countdown{confirm.Label3.Caption()};
    for (int second = 1; second <= 9; ++second) {
        world.Clock.Advance(1000);
        countdown.push_back(confirm.Label3.Caption());
    }
    EXPECT_EQ(countdown,
              (Strings{"10 seconds", "9 seconds", "8 seconds", "7 seconds", "6 seconds",
                       "5 seconds", "4 seconds", "3 seconds", "2 seconds", "1 seconds"}));
    EXPECT_TRUE(confirm.Visible());
    world.Clock.Advance(1000);
    EXPECT_FALSE(confirm.Visible());
    EXPECT_EQ(world.Display.CurrentModeKey(), "800x600 - 32 BPP");
    EXPECT_EQ(world.Display.CurrentFrequency(), 56u) << "the previous rate, not the Set At";
    EXPECT_TRUE(main.OffRadioButton.Checked());
    EXPECT_EQ(main.MainStatusBar.SimpleText(),
              "Tavelmorind is currently disabled; click the 'On' button to enable!");
    EXPECT_EQ(main.Switcher.PreviousModeKey(), "640x480 - 16 BPP")
        << "after a revert: the rejected mode";
    EXPECT_EQ(main.Switcher.PreviousFrequency(), 100);
    EXPECT_TRUE(main.Button2.Enabled());
}

TEST_F(Switcher, EscapeRevertsAtOnceAndTheCloseBoxKeeps) {
    TMainForm& main = Start();
    main.MainStringGrid.SelectRow(9);
    main.Button2.Click();
    ASSERT_TRUE(Confirm().BitBtnNo.Cancel);
    Confirm().BitBtnNo.Click(); // Escape presses the cancel button
    EXPECT_EQ(world.Display.CurrentModeKey(), "800x600 - 32 BPP");
    EXPECT_TRUE(main.OffRadioButton.Checked());

    main.OnRadioButton.Click();
    main.Button2.Click();
    ASSERT_TRUE(Confirm().BitBtnYes.Default);
    Confirm().Close();
    EXPECT_FALSE(Confirm().Visible());
    world.Clock.Advance(20000);
    EXPECT_EQ(world.Display.CurrentModeKey(), "1024x768 - 32 BPP");
    EXPECT_TRUE(main.OnRadioButton.Checked());
}

TEST_F(Switcher, DescriptionsOfDefaultRatesAndTheRegistryWarning) {
    TMainForm& main = world.CreateMain(
        "[Init]\nProgram Run Before=1\n[Main Options]\nSwitched On=0\nFastest Frequency=0\n"
        "[Advanced Options]\nCPU Enforce Modes=0\nMode Switcher=2\n"
        "[Frequencies]\n640x480 - 8 BPP=1\n640x480 - 16 BPP=256\n640x480 - 32 BPP=300\n");
    world.Dialogs.Answer(ModalResult::No);
    main.Button2.Click(); // row 1: Set At 1
    EXPECT_EQ(LastDialog().Text,
              "Changing the screen mode to 640x480 - 8 BPP (using the default refresh rate).  "
              "WARNING: This will set the mode as Windows default.  Please be *sure* that your "
              "monitor supports this display setting first, as otherwise your PC may boot in a "
              "corrupt mode.  Are you absolutely sure you want to change the screen mode?");
    EXPECT_EQ(world.Display.CurrentModeKey(), "800x600 - 32 BPP") << "No changes nothing";

    main.MainStringGrid.SelectRow(2);
    main.Button2.Click();
    EXPECT_NE(LastDialog().Text.find("(256Hz)"), std::string::npos);
    EXPECT_EQ(world.Display.Changes().back().Frequency, 256u);
    EXPECT_EQ(world.Display.Changes().back().Result, DispChangeBadMode);
    EXPECT_FALSE(Confirm().Visible()) << "a refused change asks for no confirmation";

    main.MainStringGrid.SelectRow(4);
    main.Button2.Click();
    EXPECT_NE(LastDialog().Text.find("(without overriding the refresh rate)"), std::string::npos);
    EXPECT_EQ(world.Display.Changes().back().Frequency, 0u) << "Set At 0 asks for the default";
    EXPECT_EQ(world.Display.Changes().back().Flags, 1u) << "stored as the Windows default";
    EXPECT_TRUE(Confirm().Visible());
    Confirm().BitBtnYes.Click();

    main.MainStringGrid.SelectRow(3);
    main.Button2.Click();
    EXPECT_NE(LastDialog().Text.find("(300Hz)"), std::string::npos);
    EXPECT_EQ(world.Display.Changes().back().Frequency, 300u);
}

TEST(GamingPanelSwitcher, RejectedSwitchRevertsTo360) {
    SimWorld world("gaming.modes");
    TMainForm& main = world.CreateMain(kOn);
    world.Display.SwitchTo(1280, 720, 32, 360);
    world.Dialogs.Answer(ModalResult::Yes);
    main.MainStringGrid.SelectRow(1); // 1920x1080 - 32 BPP, automatic 240
    main.Button2.Click();
    EXPECT_NE(world.Dialogs.History().back().Text.find("(240Hz)"), std::string::npos);
    EXPECT_EQ(main.Switcher.PreviousFrequency(), 360u);
    world.Prog.TimerForm->BitBtnNo.Click();
    EXPECT_EQ(world.Display.CurrentModeKey(), "1280x720 - 32 BPP");
    EXPECT_EQ(world.Display.CurrentFrequency(), 360u);
    EXPECT_EQ(world.Display.Changes().back().Result, DispChangeSuccessful);
}

TEST_F(Switcher, TrayItemsSwitchWithoutAskingAndTheCurrentModeIsChecked) {
    TMainForm& main = Start();
    main.TrayIconCallback(TMainForm::WmRButtonDown);
    EXPECT_EQ(world.Tray.MenusShown(), 1);
    TMenuItem& modes = *main.ChangeScreenMode1;
    for (std::size_t i = 0; i < modes.Count(); ++i) {
        EXPECT_EQ(modes[i].Checked, modes[i].Caption() == "800x600 - 32 BPP") << modes[i].Caption();
    }
    const auto dialogs = world.Dialogs.History().size();
    modes.Find("1024x768 - 16 BPP")->Click();
    EXPECT_EQ(world.Dialogs.History().size(), dialogs) << "no question from the tray";
    EXPECT_EQ(world.Display.CurrentModeKey(), "1024x768 - 16 BPP");
    EXPECT_TRUE(Confirm().Visible());
    modes.Find("640x480 - 8 BPP")->Click();
    EXPECT_EQ(world.Display.CurrentModeKey(), "1024x768 - 16 BPP")
        << "the submenu is disabled while the countdown runs";

    main.PopupMenu1.Popup();
    EXPECT_TRUE(modes.Find("1024x768 - 16 BPP")->Checked);
    EXPECT_FALSE(modes.Find("800x600 - 32 BPP")->Checked);
}

TEST_F(Switcher, KeyWithoutAModeOrARefusedChangeOpensNoConfirmation) {
    TMainForm& main = Start();
    main.Switcher.SwitchToMode("1600x1200 - 32 BPP", 75, true);
    EXPECT_FALSE(Confirm().Visible());
    EXPECT_EQ(main.Switcher.PreviousModeKey(), "800x600 - 32 BPP")
        << "the present is remembered anyway";
    EXPECT_EQ(world.Display.Changes().size(), 0u);

    world.Display.RefuseChanges(DispChangeFailed);
    main.Switcher.SwitchToModeByKey("1024x768 - 32 BPP");
    EXPECT_FALSE(Confirm().Visible());
    EXPECT_EQ(world.Display.CurrentModeKey(), "800x600 - 32 BPP");
    EXPECT_TRUE(world.Dialogs.Errors().empty());
}

} // namespace
} // namespace tvm::test
