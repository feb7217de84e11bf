// The system's own moments (a resume, an unlock, a monitor back, the power source) and
// the battery limit.
#include "SimWorld.h"

#include <gtest/gtest.h>

namespace tvm::test {
namespace {

constexpr const char* kPanelModes = "1280 720 32 60,144,240 *\n1920 1080 32 75,144\n";

struct SystemEvents : ::testing::Test {
    SimWorld world{"crt.modes"};
    SimDisplay* panel = nullptr;

    TMainForm& Start(const std::string& advanced) {
        panel = &world.Displays.Attach(SimWorld::Load(kPanelModes), "MONITOR\\GAMING#4&1a2b",
                                       "Gaming Panel");
        TMainForm& main = world.CreateMain(std::string(kRunBefore) +
                                           "[Main Options]\nSwitched On=1\n[Advanced Options]\n"
                                           "CPU Enforce Modes=0\n" +
                                           advanced);
        world.Clock.Advance(5);
        return main;
    }
    // Both displays lose their rates without anyone being told.
    void ChangeBehindTheProgramsBack() {
        world.Display.SwitchTo(1024, 768, 32, 60, false);
        panel->SwitchTo(1280, 720, 32, 60, false);
    }
    void Battery(bool onBattery) {
        world.System.Power.OnBattery = onBattery;
        world.Main->OnSystemEvent(SystemEvent::PowerStatusChanged);
        world.Clock.Advance(5);
    }
};

TEST_F(SystemEvents, EachEventChecksEveryDisplayNowAndLaterWithoutCountingWhileOnOnly) {
    TMainForm& main = Start("");
    for (const SystemEvent event :
         {SystemEvent::Resumed, SystemEvent::SessionBack, SystemEvent::MonitorArrived}) {
        SCOPED_TRACE(static_cast<int>(event));
        ChangeBehindTheProgramsBack();
        main.OnSystemEvent(event);
        EXPECT_EQ(world.Display.CurrentFrequency(), 85u) << "1024x768 at its fastest";
        EXPECT_EQ(panel->CurrentFrequency(), 240u);
        const auto counted = main.Override.ChangesMade();
        main.OnSystemEvent(event);
        world.Clock.Advance(kLateCheckDelay + 1000);
        EXPECT_EQ(main.Override.ChangesMade(), counted)
            << "checks finding the rates right count nothing";

        // The driver's own restore a moment after a resume, which nobody is told of.
        main.OnSystemEvent(event);
        world.Clock.Advance(kLateCheckDelay / 2);
        ChangeBehindTheProgramsBack();
        world.Clock.Advance(kLateCheckDelay / 2 + 10);
        EXPECT_EQ(world.Display.CurrentFrequency(), 85u) << "put back by the late check";
        EXPECT_EQ(panel->CurrentFrequency(), 240u);
        world.Clock.Advance(30000);
    }

    // A monitor that arrives is taken on before the check.
    SimDisplay& arrived =
        world.Displays.Attach(SimWorld::Load(kPanelModes), "MONITOR\\OFFICE#4&3c4d", "Office");
    main.OnSystemEvent(SystemEvent::MonitorArrived);
    EXPECT_EQ(arrived.CurrentFrequency(), 240u);

    main.OffRadioButton.Click();
    ChangeBehindTheProgramsBack();
    main.OnSystemEvent(SystemEvent::Resumed);
    world.Clock.Advance(kLateCheckDelay + 1000);
    EXPECT_EQ(world.Display.CurrentFrequency(), 60u) << "Off: nothing";
    EXPECT_EQ(panel->CurrentFrequency(), 60u);
    EXPECT_EQ(main.MainStatusBar.SimpleText(), kStatusDisabled);
}

TEST_F(SystemEvents, ThePowerSourceDecidesTheRateWithTheLimitAndTheTipSaysSo) {
    TMainForm& main = Start("Battery Limit=1\nBattery Limit Level=60\n");
    panel->SwitchTo(1280, 720, 32, 240, false);
    Battery(true);
    EXPECT_EQ(panel->CurrentFrequency(), 60u);
    EXPECT_EQ(world.Display.CurrentFrequency(), 60u) << "800x600's fastest up to 60 Hz";
    EXPECT_EQ(world.Tray.Shown().Tip, "Tavelmorind - Enabled (battery: 60 Hz at most)");
    EXPECT_EQ(main.MainStatusBar.SimpleText(),
              "Changes made within rate limit: 2 (battery: 60 Hz at most)");

    // A game's mode while on battery, overridden to the battery's choice.
    panel->SwitchTo(1920, 1080, 32, 144);
    world.Clock.Advance(5);
    EXPECT_EQ(panel->CurrentFrequency(), 144u) << "no rate of 1920x1080 is 60 or below: left";

    // The charge changes: no new source, no check.
    panel->SwitchTo(1280, 720, 32, 144, false);
    Battery(true);
    EXPECT_EQ(panel->CurrentFrequency(), 144u);

    Battery(false);
    EXPECT_EQ(panel->CurrentFrequency(), 240u);
    EXPECT_EQ(world.Tray.Shown().Tip, "Tavelmorind - Enabled");

    // Without the limit the battery changes nothing.
    world.Config.BatteryLimit = false;
    Battery(true);
    EXPECT_EQ(panel->CurrentFrequency(), 240u);
    EXPECT_EQ(world.Tray.Shown().Tip, "Tavelmorind - Enabled");
}

TEST(BatteryLimit, TheRateEachModeIsGiven) {
    const ModeRow row{"1280x720 - 32 BPP", "", "144", 144, {60, 100, 144, 240}};
    const struct {
        std::uint32_t SetAt;
        std::optional<std::uint32_t> Cap;
        std::uint32_t Expected;
    } cases[] = {
        {144, std::nullopt, 144}, // on the mains
        {144, 200, 144},          // below the level
        {144, 144, 144},          // at it
        {144, 120, 100},          // above: the fastest listed rate below
        {240, 59, 0},             // no listed rate is low enough: left alone
        {0, 60, 0},               // left alone stays so
        {1, 60, 1},               // the driver's default rate is not above the level
    };
    for (const auto& c : cases) {
        ModeRow r = row;
        r.Rate = c.SetAt;
        EXPECT_EQ(RateToApply(r, c.Cap), c.Expected) << c.SetAt << " under " << c.Cap.value_or(0);
    }
}

TEST_F(SystemEvents, ThePowerTabAppliesOnCloseAndTheSwitcherHeedsTheLimit) {
    TMainForm& main = Start("");
    Battery(true);
    TAdvanceForm& dialog = *world.Prog.AdvanceForm;
    main.Button1.Click();
    EXPECT_FALSE(dialog.CheckBox6.Checked());
    EXPECT_FALSE(dialog.ComboBox2.Enabled());
    EXPECT_EQ(dialog.ComboBox2.Text(), "60");
    dialog.CheckBox6.Click();
    EXPECT_TRUE(dialog.ComboBox2.Enabled());
    dialog.ComboBox2.TypeText("\b\b1a4");
    EXPECT_EQ(dialog.ComboBox2.Text(), "14") << "digits only";
    dialog.ComboBox2.TypeText("\b\b\b144");
    dialog.BitBtnClose.Click();
    EXPECT_EQ(panel->CurrentFrequency(), 144u) << "Close re-checks at once";
    EXPECT_EQ(world.Config.BatteryLimitLevel, 144);

    main.Button1.Click();
    dialog.ComboBox2.TypeText("\b\b\b");
    dialog.BitBtnClose.Click();
    EXPECT_EQ(world.Config.BatteryLimitLevel, 144) << "no number keeps the level";

    // The switcher asks for the battery's choice of the mode's Set At.
    main.OffRadioButton.Click();
    panel->SwitchTo(1920, 1080, 32, 75, false);
    main.Switcher.SwitchToModeByKey(*panel, world.Prog.Others.Entries()[0]->Table,
                                    "1280x720 - 32 BPP");
    EXPECT_EQ(panel->CurrentFrequency(), 144u);

    // No battery at all: the box cannot be ticked, and its hint says why.
    main.Button1.Click();
    dialog.Hide();
    world.System.Power.HasBattery = false;
    main.Button1.Click();
    EXPECT_FALSE(dialog.CheckBox6.Enabled());
    EXPECT_FALSE(dialog.ComboBox2.Enabled());
    EXPECT_NE(dialog.CheckBox6.Hint().find("no battery"), std::string::npos);
}

} // namespace
} // namespace tvm::test
