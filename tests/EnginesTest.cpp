// Each engine alone over the simulated services: no window, no program.
#include "SimWorld.h"

#include <gtest/gtest.h>

namespace tvm::test {
namespace {

using Strings = std::vector<std::string>;

// The CRT (800x600 at 56 Hz at start) with the automatic rates, the override engine
// listening to its notifications, and the engine's reports counted.
struct Engines final : OverrideEngine::Listener {
    SimDisplay Display = SimDisplay::FromFile(DataFile("crt.modes"));
    VirtualClock Clock;
    ScriptedDialogs Dialogs;
    TApplication App{Dialogs, Clock};
    Settings Config;
    ModeTable Table{Display};
    OverrideEngine Override{Display, Table, Config, App};
    int Reports = 0;

    explicit Engines(const Settings& config) : Config(config) {
        Table.BuildModeTable();
        Table.ApplyFastest(true);
        Override.SetListener(this);
        Override.SettingsChanged();
        Display.SetChangeListener([this] { App.Dispatch([this] { Override.OnDisplayChange(); }); });
    }
    void OverrideChanged() override { ++Reports; }

    // The requests made since `from`, as "WxH@F".
    Strings Requests(std::size_t from) const {
        Strings out;
        for (std::size_t i = from; i < Display.Changes().size(); ++i) {
            const auto& c = Display.Changes()[i];
            out.push_back(std::to_string(c.Width) + "x" + std::to_string(c.Height) + "@" +
                          std::to_string(c.Frequency));
        }
        return out;
    }
};

Settings Defaults() {
    Settings s;
    s.AutoDisableTimeAllowed = 30;
    s.AutoDisableTimespan = 30000;
    s.RunAtSetFrequencyLevel = 60;
    return s;
}

// A game's switch to 1024x768 at 60 Hz, then the clock: what the driver is asked for,
// what the status line says, whether overriding stays On.
TEST(OverrideEngineAlone, AGamesSwitchUnderEachSetting) {
    struct Case {
        const char* Name;
        std::uint32_t Delay;
        bool Poll;
        std::int32_t Allowed;
        bool RunAtLevel;
        std::int32_t Level;
        std::uint32_t Advance;
        Strings Requests; // after the game's own
        const char* Status;
        bool On;
    };
    const Case cases[] = {
        {"at once",
         0,
         false,
         30,
         false,
         60,
         0,
         {"1024x768@85"},
         "Changes made within rate limit: 2",
         true},
        {"delay pending",
         2000,
         false,
         30,
         false,
         60,
         1999,
         {},
         "Changes made within rate limit: 1",
         true},
        {"delay over",
         2000,
         false,
         30,
         false,
         60,
         2000,
         {"1024x768@85"},
         "Changes made within rate limit: 2",
         true},
        // Switching On, the poll's first tick sets 800x600 to its rate: one change more.
        {"the poll ignores the delay",
         2000,
         true,
         30,
         false,
         60,
         0,
         {"1024x768@85"},
         "Changes made within rate limit: 3",
         true},
        {"only from the level",
         0,
         false,
         30,
         true,
         75,
         0,
         {},
         "Changes made within rate limit: 1",
         true},
        {"the window ends", 0, false, 30, false, 60, 30000, {"1024x768@85"}, "Ready", true},
        {"no allowance", 0, false, 0, false, 60, 0, {}, kStatusRateLimit, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Settings config = Defaults();
        config.DelayBeforeOverride = c.Delay;
        config.CpuEnforceModes = c.Poll;
        config.AutoDisableTimeAllowed = c.Allowed;
        config.RunAtSetFrequency = c.RunAtLevel;
        config.RunAtSetFrequencyLevel = c.Level;
        Engines e(config);
        e.Override.TurnOn();
        e.Clock.Advance(5);
        const std::size_t before = e.Display.Changes().size();
        e.Display.SwitchTo(1024, 768, 32, 60);
        e.Clock.Advance(c.Advance);
        Strings requests = e.Requests(before);
        requests.erase(requests.begin()); // the game's
        EXPECT_EQ(requests, c.Requests);
        EXPECT_EQ(e.Override.Status(), c.Status);
        EXPECT_EQ(e.Override.SwitchedOn(), c.On);
    }
}

TEST(OverrideEngineAlone, ReportsOnceForWhatANestedChangeDid) {
    Settings config = Defaults();
    config.CpuEnforceModes = true;
    config.AutoDisableTimeAllowed = 0;
    Engines e(config);
    e.Display.SwitchTo(1024, 768, 32, 60); // Off: nothing
    EXPECT_EQ(e.Reports, 0);
    // On: the poll's first tick overrides, the notification of that change trips the
    // limit inside it, and the engine reports the end state once.
    e.Override.TurnOn();
    EXPECT_EQ(e.Reports, 1);
    EXPECT_FALSE(e.Override.SwitchedOn());
    EXPECT_EQ(e.Override.Status(), kStatusRateLimit);
    EXPECT_FALSE(e.Override.Polling());
    EXPECT_EQ(e.Override.ChangesMade(), 0);
}

TEST(ModeSwitcherAlone, ARevertTurnsOverridingOffAndRestoresTheModeBefore) {
    Engines e(Defaults());
    ModeSwitcher switcher(e.Display, e.Table, e.Config, e.Override);
    e.Override.TurnOn();
    switcher.SwitchToModeByKey("640x480 - 16 BPP");
    EXPECT_EQ(e.Display.CurrentModeKey(), "640x480 - 16 BPP");
    EXPECT_EQ(e.Display.CurrentFrequency(), 100u);

    switcher.ConfirmationShown();
    int ticks = 0;
    while (!switcher.CountdownTick()) {
        ++ticks;
    }
    EXPECT_EQ(ticks, 10) << "ten seconds shown: 10 down to 1";
    switcher.RevertMode();
    EXPECT_FALSE(e.Override.SwitchedOn());
    EXPECT_EQ(e.Display.CurrentModeKey(), "800x600 - 32 BPP");
    EXPECT_EQ(e.Display.CurrentFrequency(), 56u);
    EXPECT_EQ(switcher.PreviousModeKey(), "640x480 - 16 BPP") << "the rejected mode";
}

TEST(SettingsStoreAlone, EveryFieldRoundTripsThroughTheFile) {
    TempFolder folder;
    IniFileProfile ini(folder.Path() / "Tavelmorind.ini", "Tavelmorind.ini");
    MemoryRunAtLogon runKey(kExePath);
    SettingsStore store(ini, runKey);
    Settings saved{true, false, 3000000000u, 7, 45000, true, 300, false, false, true, 2, 1500};
    store.SaveOptions(saved);
    Settings loaded;
    Strings order;
    store.LoadOptions(loaded, [&](const SettingKey& key) { order.push_back(key.Name); });
    EXPECT_EQ(loaded.SwitchedOn, saved.SwitchedOn);
    EXPECT_EQ(loaded.FastestFrequency, saved.FastestFrequency);
    EXPECT_EQ(loaded.DelayBeforeOverride, saved.DelayBeforeOverride) << "past 2^31 ms";
    EXPECT_EQ(loaded.AutoDisableTimeAllowed, saved.AutoDisableTimeAllowed);
    EXPECT_EQ(loaded.AutoDisableTimespan, saved.AutoDisableTimespan);
    EXPECT_EQ(loaded.RunAtSetFrequencyLevel, saved.RunAtSetFrequencyLevel);
    EXPECT_EQ(loaded.OptimizeDesktopMode, saved.OptimizeDesktopMode);
    EXPECT_EQ(loaded.ModeSwitcher, saved.ModeSwitcher);
    EXPECT_EQ(loaded.PowerSaveDelay, saved.PowerSaveDelay);
    EXPECT_EQ(order.front(), "Switched On") << "read first, before what it switches on needs";
    EXPECT_EQ(DefaultOf(&Settings::AutoDisableTimespan), 30000);
}

} // namespace
} // namespace tvm::test
