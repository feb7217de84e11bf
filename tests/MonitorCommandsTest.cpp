#include "SimWorld.h"

#include <gtest/gtest.h>

namespace tvm::test {
namespace {

using Strings = std::vector<std::string>;

struct Monitor : ::testing::Test {
    SimWorld world{"crt.modes"};
    TMainForm* main = nullptr;
    TBlankForm* blank = nullptr;

    void Start(const std::string& advanced = "") {
        main = &world.CreateMain(std::string(kRunBefore) + "[Advanced Options]\n" + advanced);
        blank = world.Prog.BlankForm.get();
    }
    Strings Commands() const {
        Strings out;
        for (const auto& c : world.System.Commands()) {
            out.push_back(c.CommandLine + " /" + std::to_string(c.Show));
        }
        return out;
    }
};

constexpr const char* kLock = "rundll32.exe user32.dll,LockWorkStation /5";

TEST_F(Monitor, DpmsOffWaitsThenBlanksAndSwitchesTheMonitorOffUntilTheMouseMoves) {
    Start();
    main->DPMSOff1->Click();
    EXPECT_EQ(world.System.Sleeps(), std::vector<std::uint32_t>{3000});
    EXPECT_EQ(world.Clock.Now(), 3000u);
    ASSERT_TRUE(blank->Visible());
    EXPECT_TRUE(blank->TopMost);
    EXPECT_EQ(blank->Width, 800);
    EXPECT_EQ(blank->Height, 600);
    EXPECT_EQ(world.Power.Log, (Strings{"screensaver off", "syscommand 61808 2"}));

    blank->MouseMove(10, 10); // where the mouse rests
    EXPECT_TRUE(blank->Visible());
    blank->MouseMove(10, 10);
    EXPECT_TRUE(blank->Visible()) << "a message without movement";
    blank->MouseMove(11, 10);
    EXPECT_FALSE(blank->Visible());
    EXPECT_EQ(world.Power.Log, (Strings{"screensaver off", "syscommand 61808 2",
                                        "syscommand 61808 -1", "screensaver on"}));
}

TEST_F(Monitor, BlankScreenKeepsTheMonitorOnAndAKeyEndsIt) {
    Start("Power Save Delay=0\n");
    main->BlankScreen2->Click();
    EXPECT_EQ(world.Clock.Now(), 0u) << "a delay of 0 acts at once";
    ASSERT_TRUE(blank->Visible());
    blank->KeyDown('A');
    EXPECT_FALSE(blank->Visible());
    EXPECT_EQ(world.Power.Log, (Strings{"screensaver off", "screensaver on"}));
    EXPECT_TRUE(world.Power.ScreenSaverActive);
}

TEST_F(Monitor, StandbyFromEitherMenuAsksForLowPower) {
    Start("Power Save Delay=500\n");
    main->DPMSStandby2->Click();
    EXPECT_EQ(world.Power.Log.back(), "syscommand 61808 1");
    blank->KeyDown(27);
    main->DPMSStandby1->Click();
    EXPECT_EQ(world.System.Sleeps(), (std::vector<std::uint32_t>{500, 500}));
}

TEST_F(Monitor, ScreenSaverAndTheLockCombinationsLockFirstAndNeverWakeTheMonitor) {
    Start("Power Save Delay=1000\n");
    main->ActivateScreenSaver1->Click();
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(world.Power.Log, Strings{"syscommand 61760 0"});

    world.Power.Log.clear();
    main->LockPCDPMSStandby1->Click();
    main->LockPCDPMSOff2->Click();
    main->LockPCActivateScreenSaver2->Click();
    EXPECT_EQ(Commands(), (Strings{kLock, kLock, kLock}));
    EXPECT_EQ(world.Power.Log,
              (Strings{"syscommand 61808 1", "syscommand 61808 2", "syscommand 61760 0"}));
    EXPECT_EQ(world.System.Sleeps().size(), 4u);
    EXPECT_FALSE(blank->Visible());
}

TEST_F(Monitor, NoTimerFiresDuringTheWait) {
    Start("Power Save Delay=30000\n");
    int ticks = 0;
    TTimer probe(world.App, 1000);
    probe.OnTimer = [&] { ++ticks; };
    probe.SetEnabled(true);
    main->ActivateScreenSaver1->Click();
    EXPECT_EQ(ticks, 0);
    world.Clock.Advance(0);
    EXPECT_EQ(ticks, 1) << "the held-up tick fires once afterwards";
}

TEST_F(Monitor, LockingFeaturesStayDisabledWithoutDetectedRates) {
    SimWorld zero("zero-only.modes");
    TMainForm& m = zero.CreateMain(kRunBefore);
    m.LockPCDPMSOff1->Click();
    m.LockPCDPMSOff2->Click();
    EXPECT_TRUE(zero.System.Commands().empty());
    m.DPMSOff1->Click();
    EXPECT_TRUE(zero.Prog.BlankForm->Visible()) << "the other commands still work";
}

} // namespace
} // namespace tvm::test
