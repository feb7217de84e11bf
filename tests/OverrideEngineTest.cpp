#include "SimWorld.h"

#include <gtest/gtest.h>

namespace tvm::test {
namespace {

// Overriding On, automatic rates, no polling; the CRT starts in 800x600 at 56 Hz.
std::string Ini(const std::string& advanced = "", const std::string& main = "Switched On=1\n") {
    return std::string(kRunBefore) + "[Main Options]\n" + main +
           "[Advanced Options]\nCPU Enforce Modes=0\n" + advanced;
}

std::string Status(const TMainForm& main) {
    return main.MainStatusBar.SimpleText();
}

struct OverrideEngine : ::testing::Test {
    SimWorld world{"crt.modes"};
    SimDisplay& display = world.Display;
    std::size_t changesBefore = 0;

    TMainForm& Start(const std::string& ini) {
        TMainForm& main = world.CreateMain(ini);
        changesBefore = display.Changes().size();
        return main;
    }
    // The requests made after start-up, as "WxH@F/flags".
    std::vector<std::string> Requests() const {
        std::vector<std::string> out;
        for (std::size_t i = changesBefore; i < display.Changes().size(); ++i) {
            const auto& c = display.Changes()[i];
            out.push_back(std::to_string(c.Width) + "x" + std::to_string(c.Height) + "@" +
                          std::to_string(c.Frequency) + "/" + std::to_string(c.Flags));
        }
        return out;
    }
};

using Strings = std::vector<std::string>;

TEST_F(OverrideEngine, GameSwitchIsOverriddenAtOnceAndEveryChangeCounts) {
    TMainForm& main = Start(Ini());
    EXPECT_EQ(Status(main), "Ready");
    EXPECT_EQ(display.CurrentFrequency(), 56u) << "switching On overrides nothing by itself";

    display.SwitchTo(1024, 768, 32, 60);
    EXPECT_EQ(display.CurrentFrequency(), 85u);
    EXPECT_EQ(Requests(), (Strings{"1024x768@60/4", "1024x768@85/4"}));
    // The game's change and the program's own, which finds the rate right.
    EXPECT_EQ(Status(main), "Changes made within rate limit: 2");
    EXPECT_EQ(main.Override.ChangesMade(), 2);
    EXPECT_TRUE(main.Override.RateWindowOpen());
    EXPECT_FALSE(main.Override.OverridePending());
}

TEST_F(OverrideEngine, SetAtZeroOrARateAlreadyRightChangesNothing) {
    TMainForm& main = Start(Ini("", "Switched On=1\nFastest Frequency=0\n") +
                            "[Frequencies]\n1024x768 - 32 BPP=0\n640x480 - 32 BPP=75\n");
    display.SwitchTo(1024, 768, 32, 60);
    display.SwitchTo(640, 480, 32, 75);
    EXPECT_EQ(Requests(), (Strings{"1024x768@60/4", "640x480@75/4"}));
    EXPECT_EQ(main.Override.ChangesMade(), 2);
}

TEST_F(OverrideEngine, DelayRestartsWithEachChangeAndOverridesAfterTheLast) {
    TMainForm& main = Start(Ini("Delay before Override=2000\n"));
    display.SwitchTo(1024, 768, 32, 60);
    world.Clock.Advance(1500);
    display.SwitchTo(1024, 768, 32, 70);
    world.Clock.Advance(1999);
    EXPECT_EQ(display.CurrentFrequency(), 70u);
    EXPECT_EQ(Status(main), "Changes made within rate limit: 2");
    world.Clock.Advance(1);
    EXPECT_EQ(display.CurrentFrequency(), 85u);
    EXPECT_EQ(Status(main), "Changes made within rate limit: 3");
    world.Clock.Advance(10000);
    EXPECT_EQ(Requests().size(), 3u) << "one override, after the last change";
}

TEST_F(OverrideEngine, ThirtyFirstChangeInTheWindowSwitchesOff) {
    TMainForm& main = Start(Ini());
    // Both modes run at their Set At rate, so only the game's changes count.
    for (int i = 1; i <= 30; ++i) {
        display.SwitchTo(i % 2 ? 640 : 1024, i % 2 ? 480 : 768, 32, i % 2 ? 100 : 85);
    }
    EXPECT_EQ(Status(main), "Changes made within rate limit: 30");
    EXPECT_TRUE(main.OnRadioButton.Checked());

    display.SwitchTo(800, 600, 32, 60);
    EXPECT_TRUE(main.OffRadioButton.Checked());
    EXPECT_FALSE(main.OnRadioButton.Checked());
    EXPECT_EQ(Status(main), "Rate limit exceeded; click the 'On' button to re-enable.");
    EXPECT_EQ(main.Override.ChangesMade(), 0);
    EXPECT_FALSE(main.Override.RateWindowOpen());
    EXPECT_FALSE(main.Enabled1->Checked);
    EXPECT_EQ(world.Tray.Shown().Tip, "Tavelmorind - Disabled");
    EXPECT_EQ(display.CurrentFrequency(), 60u) << "the 31st change is not overridden";

    display.SwitchTo(1024, 768, 32, 60);
    EXPECT_EQ(display.CurrentFrequency(), 60u) << "Off: notifications change nothing";
    EXPECT_EQ(Status(main), "Rate limit exceeded; click the 'On' button to re-enable.");
}

TEST_F(OverrideEngine, WindowEndResetsTheCount) {
    TMainForm& main = Start(Ini("AutoDisable Timespan=5000\nAutoDisable Time Allowed=3\n"));
    display.SwitchTo(640, 480, 32, 100);
    world.Clock.Advance(2000);
    display.SwitchTo(1024, 768, 32, 85);
    display.SwitchTo(640, 480, 32, 100);
    world.Clock.Advance(2999);
    EXPECT_EQ(main.Override.ChangesMade(), 3) << "the window runs from its first change";
    world.Clock.Advance(1);
    EXPECT_EQ(main.Override.ChangesMade(), 0);
    EXPECT_EQ(Status(main), "Ready");
    EXPECT_FALSE(main.Override.RateWindowOpen());
    for (int i = 0; i < 3; ++i) {
        display.SwitchTo(1024, 768, 32, 85);
    }
    EXPECT_TRUE(main.OnRadioButton.Checked()) << "a new window, a new allowance";
}

TEST_F(OverrideEngine, OffIgnoresNotifications) {
    TMainForm& main = Start(Ini("", "Switched On=0\n"));
    display.SwitchTo(1024, 768, 32, 60);
    EXPECT_EQ(display.CurrentFrequency(), 60u);
    EXPECT_EQ(main.Override.ChangesMade(), 0);
    EXPECT_EQ(Status(main), "Tavelmorind is currently disabled; click the 'On' button to enable!");
}

TEST_F(OverrideEngine, PollingOverridesASilentChangeThenFindsTheRateRight) {
    TMainForm& main = Start(std::string(kRunBefore) + "[Main Options]\nSwitched On=1\n");
    EXPECT_TRUE(main.Override.Polling());
    EXPECT_EQ(display.CurrentFrequency(), 85u) << "the first tick at start-up overrides";
    changesBefore = display.Changes().size();

    display.SwitchTo(1024, 768, 32, 60, /*notify=*/false);
    world.Clock.Advance(1);
    EXPECT_EQ(display.CurrentFrequency(), 85u);
    EXPECT_EQ(Requests(), (Strings{"1024x768@60/4", "1024x768@85/4"}));
    world.Clock.Advance(1); // one more override attempt that finds the rate right
    const auto enumerations = display.EnumerateCalls();
    world.Clock.Advance(1000);
    EXPECT_EQ(display.EnumerateCalls(), enumerations)
        << "an unchanged display costs no enumeration";
    EXPECT_EQ(Requests().size(), 2u);
}

TEST_F(OverrideEngine, PollingIgnoresTheDelay) {
    Start(std::string(kRunBefore) +
          "[Main Options]\nSwitched On=1\n[Advanced Options]\nDelay before Override=5000\n");
    display.SwitchTo(1024, 768, 32, 60);
    EXPECT_EQ(display.CurrentFrequency(), 85u);
}

TEST_F(OverrideEngine, NewSetAtAppliesOnlyAtTheNextChangeOrSwitchingOn) {
    TMainForm& main =
        Start(std::string(kRunBefore) + "[Main Options]\nSwitched On=1\nFastest Frequency=0\n"
                                        "[Frequencies]\n800x600 - 32 BPP=72\n");
    EXPECT_EQ(display.CurrentFrequency(), 72u);
    world.Clock.Advance(5); // past the tick that checks the start-up override
    main.MainStringGrid.SelectRow(6);
    ASSERT_EQ(main.MainStringGrid.Cell(0, 6), "800x600 - 32 BPP");
    main.FreqCombo.Paste("60");
    world.Clock.Advance(100);
    EXPECT_EQ(display.CurrentFrequency(), 72u);
    main.OffRadioButton.Click();
    main.OnRadioButton.Click();
    EXPECT_EQ(display.CurrentFrequency(), 60u);
}

TEST_F(OverrideEngine, RunAtSetFrequencyOnlyOverridesFromThatRate) {
    Start(Ini("Run at Set Frequency=1\nRun at Set Frequency Level=60\n"));
    display.SwitchTo(1024, 768, 32, 75);
    EXPECT_EQ(display.CurrentFrequency(), 75u);
    display.SwitchTo(1024, 768, 32, 60);
    EXPECT_EQ(display.CurrentFrequency(), 85u);
}

TEST_F(OverrideEngine, LevelPast255IsComparedWithTheWholeRate) {
    Start(Ini("Run at Set Frequency=1\nRun at Set Frequency Level=316\n"));
    display.SwitchTo(1024, 768, 32, 60);
    EXPECT_EQ(display.CurrentFrequency(), 60u);

    SimWorld gaming("gaming.modes");
    gaming.CreateMain(Ini("Run at Set Frequency=1\nRun at Set Frequency Level=360\n",
                          "Switched On=1\nFastest Frequency=0\n") +
                      "[Frequencies]\n1280x720 - 32 BPP=240\n");
    gaming.Display.SwitchTo(1280, 720, 32, 360);
    EXPECT_EQ(gaming.Display.CurrentFrequency(), 240u) << "360 is the level, not its low byte";
    gaming.Display.SwitchTo(1280, 720, 32, 60);
    EXPECT_EQ(gaming.Display.CurrentFrequency(), 60u);
}

// The gaming panel offers 1280x720 at 360 Hz, which the program must put back whole,
// with one mode set of its own per game switch, polling or not.
TEST(GamingPanelOverride, GameSwitchComesBackTo360WithOneSetOfOurOwn) {
    for (const char* poll : {"CPU Enforce Modes=0\n", "CPU Enforce Modes=1\n"}) {
        for (const char* frequencies :
             {"Fastest Frequency=1\n", "Fastest Frequency=0\n[Frequencies]\n"
                                       "1280x720 - 32 BPP=360\n"}) {
            SimWorld world("gaming.modes");
            TMainForm& main =
                world.CreateMain(std::string(kRunBefore) + "[Advanced Options]\n" + poll +
                                 "[Main Options]\nSwitched On=1\n" + frequencies);
            const std::size_t before = world.Display.Changes().size();
            world.Display.SwitchTo(1280, 720, 32, 60);
            world.Clock.Advance(50);
            EXPECT_EQ(world.Display.CurrentFrequency(), 360u) << poll << frequencies;
            EXPECT_EQ(world.Display.Changes().size() - before, 2u) << "the game's and ours";
            EXPECT_TRUE(main.OnRadioButton.Checked());
        }
    }
}

TEST_F(OverrideEngine, SetAt300FromTheFileIsRequestedEveryTimeAndRefusalIgnored) {
    TMainForm& main = Start(Ini("", "Switched On=1\nFastest Frequency=0\n") +
                            "[Frequencies]\n1024x768 - 32 BPP=300\n");
    display.SwitchTo(1024, 768, 32, 60);
    display.SwitchTo(1024, 768, 32, 70);
    EXPECT_EQ(Requests(),
              (Strings{"1024x768@60/4", "1024x768@300/4", "1024x768@70/4", "1024x768@300/4"}));
    EXPECT_EQ(display.CurrentFrequency(), 70u);
    EXPECT_TRUE(world.Dialogs.Errors().empty());
    EXPECT_EQ(main.Override.ChangesMade(), 2);
}

TEST_F(OverrideEngine, ARateTheDriverAnswersOtherwiseIsNotAskedForAgainInThatState) {
    // Set At 1 asks for the default rate, which the driver gives as the mode's first;
    // this driver also gives 75 when asked for 85.
    for (const char* polling : {"0", "1"}) {
        SimWorld world2("crt.modes");
        SimDisplay& d = world2.Display;
        d.SubstituteRate(85, 75);
        TMainForm& main = world2.CreateMain(
            std::string(kRunBefore) + "[Main Options]\nSwitched On=1\nFastest Frequency=0\n" +
            "[Advanced Options]\nCPU Enforce Modes=" + polling +
            "\n[Frequencies]\n640x480 - 32 BPP=1\n1024x768 - 32 BPP=85\n");
        const std::size_t before = d.Changes().size();
        d.SwitchTo(640, 480, 32, 72);
        world2.Clock.Advance(20);
        EXPECT_EQ(d.CurrentFrequency(), 60u);
        d.SwitchTo(1024, 768, 32, 60);
        world2.Clock.Advance(20);
        EXPECT_EQ(d.CurrentFrequency(), 75u);
        // Another rate is another state: asked once more.
        d.SwitchTo(1024, 768, 32, 70);
        world2.Clock.Advance(20);
        EXPECT_EQ(d.Changes().size() - before, 6u) << "polling " << polling;
        EXPECT_EQ(d.Changes().back().Frequency, 85u);
        EXPECT_TRUE(main.OnRadioButton.Checked()) << "polling " << polling;
        EXPECT_EQ(main.Override.ChangesMade(), 6);
    }
}

TEST_F(OverrideEngine, StartupOverrideIsNeitherCountedNorOverriddenAgain) {
    // Off, so a guard that only compared the Off button with start-up would act.
    TMainForm& main = Start(Ini("Optimize Desktop Mode=1\n", "Switched On=0\n"));
    ASSERT_EQ(display.Changes().size(), 1u);
    EXPECT_EQ(display.Changes()[0].Flags, 1u) << "stored as the system default";
    EXPECT_EQ(display.CurrentFrequency(), 85u);
    ASSERT_NE(display.RegistryMode(), nullptr);
    EXPECT_EQ(main.Override.ChangesMade(), 0);
    EXPECT_FALSE(main.Override.RateWindowOpen());
    EXPECT_EQ(Status(main), "Tavelmorind is currently disabled; click the 'On' button to enable!");
}

TEST_F(OverrideEngine, ModeUnknownToTheTableOrNoModeAtAllChangesNothing) {
    TMainForm& main = Start(Ini());
    display.AddMode(1600, 1200, 32, 75);
    display.SwitchTo(1600, 1200, 32, 75);
    EXPECT_EQ(Requests(), Strings{"1600x1200@75/4"})
        << "the first listed mode's rate must not be forced on an unknown mode";

    SimWorld bare("crt.modes");
    bare.Display = SimDisplay{};
    TMainForm& other = bare.CreateMain(Ini());
    other.Override.ApplyOverride(ChangeFullscreen);
    EXPECT_TRUE(bare.Display.Changes().empty());
    EXPECT_EQ(main.Override.ChangesMade(), 1);
}

TEST_F(OverrideEngine, RefusedTimerIsReportedAndStopsTheHandler) {
    TMainForm& main = Start(Ini("Delay before Override=2000\n"));
    world.Clock.RefuseTimers(true);
    display.SwitchTo(1024, 768, 32, 60);
    EXPECT_EQ(world.Dialogs.Errors(), Strings{"Not enough timers available."});
    EXPECT_TRUE(main.Override.RateWindowOpen()) << "counts as enabled";
    EXPECT_FALSE(main.Override.OverridePending()) << "the handler stopped before the delay";
    world.Clock.RefuseTimers(false);
    world.Clock.Advance(60000);
    EXPECT_EQ(display.CurrentFrequency(), 60u);
    EXPECT_EQ(main.Override.ChangesMade(), 1) << "the refused window never ends";
}

TEST_F(OverrideEngine, ALimitTrippedInsideTheOnPathLeavesOffShowing) {
    // An allowance of 0 from a hand-edited file: the first counted change switches Off.
    TMainForm& main = Start(std::string(kRunBefore) + "[Main Options]\nSwitched On=1\n" +
                            "[Advanced Options]\nAutoDisable Time Allowed=0\n");
    display.SwitchTo(1024, 768, 32, 60);
    ASSERT_TRUE(main.OffRadioButton.Checked());

    main.OnRadioButton.Click(); // its first poll tick overrides, and that change trips
    EXPECT_TRUE(main.OffRadioButton.Checked());
    EXPECT_FALSE(main.Enabled1->Checked);
    EXPECT_EQ(world.Tray.Shown().Tip, "Tavelmorind - Disabled");
    EXPECT_EQ(Status(main), "Rate limit exceeded; click the 'On' button to re-enable.");
}

TEST_F(OverrideEngine, OnAndOffFollowTheTrayItemAndPushTheTrayState) {
    TMainForm& main = Start(Ini());
    EXPECT_TRUE(main.Enabled1->Checked);
    EXPECT_EQ(world.Tray.Shown().Tip, "Tavelmorind - Enabled");
    EXPECT_EQ(world.Tray.Shown().Picture, TrayPicture::Enabled);

    main.Enabled1->Click();
    EXPECT_TRUE(main.OffRadioButton.Checked());
    EXPECT_FALSE(main.Enabled1->Checked);
    EXPECT_EQ(world.Tray.Shown().Tip, "Tavelmorind - Disabled");
    EXPECT_EQ(world.Tray.Shown().Picture, TrayPicture::Disabled);

    display.SwitchTo(1024, 768, 32, 60);
    main.Enabled1->Click();
    EXPECT_TRUE(main.OnRadioButton.Checked());
    EXPECT_EQ(Status(main), "Ready");
    EXPECT_EQ(display.CurrentFrequency(), 60u) << "switching On waits for the next change";
}

} // namespace
} // namespace tvm::test
