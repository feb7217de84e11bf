// The set of displays over the real display driver. With TAVELMORIND_XDUMMY=dual the X
// server shows two monitors (tools/xdummy/dual.conf: DUMMY0 is \\.\DISPLAY1, the primary,
// DUMMY1 at its right \\.\DISPLAY2); otherwise it shows one.
//
// Wine 8, which these tests run on, keeps a mode per display and process: a mode set on
// one display sets this process's remembered mode of every other display again, and
// another program's change shows in this process in the monitor rectangles only. Each
// test puts back through Win32 what it changed, so that what this process remembers stays
// what the X server shows.
#include "DisplayTest.h"
#include "DummyDisplay.h"
#include "PumpFor.h"
#include "RunSwitchMode.h"
#include "TestShell.h"
#include "XServerQuery.h"

#include "platform/win32/Win32DisplaySet.h"

#include <cmath>
#include <string>
#include <utility>

namespace tvm::test {
namespace {

const std::string kFirst = "\\\\.\\DISPLAY1";
const std::string kSecond = "\\\\.\\DISPLAY2";

std::map<ModeSize, std::set<std::uint32_t>> ConfiguredRates() {
    std::map<ModeSize, std::set<std::uint32_t>> rates;
    for (const DummySize& size : DummySizes()) {
        rates[{size.Width, size.Height}] = {size.Rates.begin(), size.Rates.end()};
    }
    return rates;
}

bool SameOutput(const XServerOutput& a, const XServerOutput& b) {
    return a.Name == b.Name && a.X == b.X && a.Y == b.Y && a.Mode.Width == b.Mode.Width &&
           a.Mode.Height == b.Mode.Height && std::fabs(a.Mode.Rate - b.Mode.Rate) < 0.005;
}

std::vector<XServerOutput> XOutputs() {
    std::string error;
    auto outputs = QueryXServerOutputs(&error);
    EXPECT_TRUE(outputs.has_value()) << error;
    return outputs.value_or(std::vector<XServerOutput>{});
}

// Handles messages until `done` holds, for at most 5 s: the X server tells Wine's desktop
// of a change made with xrandr, and the desktop this process, some milliseconds later.
template <class Done> bool WaitFor(Win32MessageLoop& loop, Done done) {
    const ULONGLONG end = GetTickCount64() + 5000;
    while (!done()) {
        if (GetTickCount64() > end) {
            return false;
        }
        PumpFor(loop, 10);
    }
    return true;
}

// The first mode a display lists, as the wide record a Win32DeviceDisplay hands back.
DisplayMode WideRecordOf(const wchar_t* device) {
    DEVMODEW devMode{};
    devMode.dmSize = sizeof devMode;
    EXPECT_TRUE(EnumDisplaySettingsExW(device, 0, &devMode, 0));
    return Win32DeviceDisplay::FromDevMode(devMode);
}

// A display service with no display behind it; `record` is one the system would take.
void ExpectGone(DisplayService& display, const DisplayMode& record) {
    DisplayMode mode;
    EXPECT_FALSE(display.EnumerateMode(0, mode));
    EXPECT_FALSE(display.EnumerateMode(ENUM_CURRENT_SETTINGS, mode));
    EXPECT_EQ(display.CurrentWidth(), 0u);
    EXPECT_EQ(display.CurrentHeight(), 0u);
    EXPECT_EQ(display.CurrentDepth(), 0u);
    EXPECT_EQ(display.CurrentRefresh(), 0u);
    const std::int32_t result = display.ChangeMode(record, ChangeDynamic);
    EXPECT_TRUE(result == DispChangeFailed || result == DispChangeBadParam) << result;
}

TEST(Win32DisplaySetOneDisplay, AttachedIsThePrimaryAlone) {
    if (DualDisplay()) {
        GTEST_SKIP() << "the X server shows two displays";
    }
    Win32MessageLoop loop;
    Win32Display primary(loop);
    Win32DisplaySet set(loop, primary);

    const auto displays = set.Attached();
    ASSERT_EQ(displays.size(), 1u);
    EXPECT_EQ(displays[0].DeviceName, kFirst);
    EXPECT_TRUE(displays[0].Primary);
    EXPECT_EQ(displays[0].Number, 1);
    EXPECT_FALSE(displays[0].FriendlyName.empty());
    EXPECT_EQ(&set.Display(displays[0].DeviceName), &set.Primary());

    // No display bears the second's name here, and asking it for a mode switches none on.
    ExpectGone(set.Display(kSecond), WideRecordOf(L"\\\\.\\DISPLAY1"));
    if (CanQueryXServer()) {
        EXPECT_EQ(XOutputs().size(), 1u);
    }
}

// Two displays. What the test found, as Win32 and as the X server report it, is put back
// afterwards.
class Win32DisplaySetTwo : public ::testing::Test {
protected:
    void SetUp() override {
        if (!DualDisplay()) {
            GTEST_SKIP() << "the X server shows one display; run with TAVELMORIND_XDUMMY=dual";
        }
        ASSERT_TRUE(CanQueryXServer());
        foundX_ = XOutputs();
        ASSERT_EQ(foundX_.size(), 2u) << QueryXServerReport();
        foundFirst_.dmSize = sizeof foundFirst_;
        ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &foundFirst_));
        foundSecond_.dmSize = sizeof foundSecond_;
        ASSERT_TRUE(
            EnumDisplaySettingsExW(L"\\\\.\\DISPLAY2", ENUM_CURRENT_SETTINGS, &foundSecond_, 0));
        recorded_ = true;
    }

    void TearDown() override {
        if (!recorded_) {
            return;
        }
        Primary().SetChangeListener({});
        const auto now = XOutputs();
        if (now.size() == foundX_.size() && SameOutput(now[0], foundX_[0]) &&
            SameOutput(now[1], foundX_[1])) {
            return;
        }
        // The second first: setting it sets this process's mode of the primary again.
        EXPECT_EQ(ChangeDisplaySettingsExW(L"\\\\.\\DISPLAY2", &foundSecond_, nullptr, 0, nullptr),
                  DISP_CHANGE_SUCCESSFUL);
        EXPECT_EQ(ChangeDisplaySettingsA(&foundFirst_, 0), DISP_CHANGE_SUCCESSFUL);
        const auto restored = XOutputs();
        ASSERT_EQ(restored.size(), foundX_.size());
        for (std::size_t i = 0; i < restored.size(); ++i) {
            EXPECT_TRUE(SameOutput(restored[i], foundX_[i]))
                << restored[i] << " instead of " << foundX_[i];
        }
    }

    DisplayService& Primary() { return set_.Primary(); }
    DisplayService& Second() { return set_.Display(kSecond); }
    const XServerOutput& FoundX(std::size_t index) const { return foundX_[index]; }

    Win32MessageLoop loop_;
    // The primary's service hears WM_DISPLAYCHANGE through a shell window, as in the program.
    TestShell shell_{loop_};
    Win32DisplaySet set_{loop_, shell_.Display};

private:
    bool recorded_ = false;
    std::vector<XServerOutput> foundX_;
    DEVMODEA foundFirst_{};
    DEVMODEW foundSecond_{};
};

TEST_F(Win32DisplaySetTwo, ListsBothThePrimaryFirst) {
    const auto displays = set_.Attached();
    ASSERT_EQ(displays.size(), 2u);
    EXPECT_EQ(displays[0].DeviceName, kFirst);
    EXPECT_EQ(displays[1].DeviceName, kSecond);
    EXPECT_TRUE(displays[0].Primary);
    EXPECT_FALSE(displays[1].Primary);
    EXPECT_EQ(displays[0].Number, 1);
    EXPECT_EQ(displays[1].Number, 2);
    for (const DisplayInfo& display : displays) {
        // The device interface path ("\\?\DISPLAY#..."), not the monitor's hardware id
        // ("MONITOR\..."), which EnumDisplayDevicesW gives without being asked for it.
        EXPECT_EQ(display.MonitorId.rfind("\\\\?\\", 0), 0u) << display.MonitorId;
        EXPECT_FALSE(display.FriendlyName.empty()) << display.DeviceName;
    }
    EXPECT_NE(displays[0].MonitorId, displays[1].MonitorId);
    // Wine names its monitors after their displays.
    EXPECT_NE(displays[0].FriendlyName, displays[1].FriendlyName);
}

TEST_F(Win32DisplaySetTwo, ServesThePrimaryThroughTheProgramsDisplayAndEachOtherByItsName) {
    EXPECT_EQ(&set_.Display(kFirst), &Primary());
    DisplayService& second = Second();
    EXPECT_NE(&second, &Primary());
    EXPECT_EQ(&set_.Display("\\\\.\\display2"), &second) << "the system's names ignore case";
}

TEST_F(Win32DisplaySetTwo, EachDisplayListsTheConfiguredModes) {
    for (const DisplayInfo& display : set_.Attached()) {
        const auto modes = EnumerateAll(set_.Display(display.DeviceName));
        for (const std::uint32_t bits : {32u, 16u}) {
            EXPECT_EQ(RatesBySize(modes, bits), ConfiguredRates())
                << display.DeviceName << " at " << bits << " bits";
        }
    }
}

// The wide record travels whole: every one the second display enumerates, whatever its
// depth, is handed back to the system unaltered and taken.
TEST_F(Win32DisplaySetTwo, EveryRecordOfTheSecondIsTakenBack) {
    const auto modes = EnumerateAll(Second());
    ASSERT_FALSE(modes.empty());
    for (const DisplayMode& mode : modes) {
        EXPECT_EQ(Second().ChangeMode(mode, CDS_TEST), DispChangeSuccessful)
            << mode.PelsWidth << "x" << mode.PelsHeight << "x" << mode.BitsPerPel << "@"
            << mode.DisplayFrequency;
    }
}

TEST_F(Win32DisplaySetTwo, EachDisplayReadsTheModeItsOutputShows) {
    DisplayService* displays[] = {&Primary(), &Second()};
    for (std::size_t i = 0; i < 2; ++i) {
        DisplayService& display = *displays[i];
        const XServerMode& x = FoundX(i).Mode;
        EXPECT_EQ(display.CurrentWidth(), x.Width) << FoundX(i);
        EXPECT_EQ(display.CurrentHeight(), x.Height) << FoundX(i);
        EXPECT_EQ(display.CurrentRefresh(), RoundRate(x.Rate)) << FoundX(i);
        EXPECT_EQ(display.CurrentDepth(), 32u) << FoundX(i);
    }
}

struct SecondMode {
    std::uint32_t Width;
    std::uint32_t Height;
    std::uint32_t Rate;
};

std::string SecondModeName(const ::testing::TestParamInfo<SecondMode>& param) {
    return std::to_string(param.param.Width) + "x" + std::to_string(param.param.Height) + "at" +
           std::to_string(param.param.Rate);
}

class Win32DisplaySetChange : public Win32DisplaySetTwo,
                              public ::testing::WithParamInterface<SecondMode> {};

TEST_P(Win32DisplaySetChange, OnTheSecondMovesItsOutputAloneAndIsHeardOnce) {
    const SecondMode want = GetParam();
    int notifications = 0;
    Primary().SetChangeListener([&] { ++notifications; });
    const std::uint32_t primaryRefresh = Primary().CurrentRefresh();
    const auto mode = FindMode(Second(), want.Width, want.Height, 32, want.Rate);
    ASSERT_TRUE(mode.has_value());

    ASSERT_EQ(Second().ChangeMode(*mode, ChangeDynamic), DispChangeSuccessful);

    // Windows says so to every top-level window, and the primary's service speaks for all.
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(Second().CurrentWidth(), want.Width);
    EXPECT_EQ(Second().CurrentHeight(), want.Height);
    EXPECT_EQ(Second().CurrentRefresh(), want.Rate);
    EXPECT_EQ(Primary().CurrentWidth(), FoundX(0).Mode.Width);
    EXPECT_EQ(Primary().CurrentRefresh(), primaryRefresh);
    const auto x = XOutputs();
    ASSERT_EQ(x.size(), 2u);
    EXPECT_TRUE(SameOutput(x[0], FoundX(0))) << x[0] << " instead of " << FoundX(0);
    EXPECT_EQ(x[1].Name, FoundX(1).Name);
    EXPECT_EQ(x[1].Mode.Width, want.Width);
    EXPECT_EQ(x[1].Mode.Height, want.Height);
    EXPECT_EQ(RoundRate(x[1].Mode.Rate), want.Rate) << x[1];
    EXPECT_EQ(x[1].X, static_cast<std::int32_t>(FoundX(0).Mode.Width)) << "still at its right";
    EXPECT_EQ(x[1].Y, 0);
}

// Rates that one size has and the other lacks, so that a mode left behind shows.
INSTANTIATE_TEST_SUITE_P(Modes, Win32DisplaySetChange,
                         ::testing::Values(SecondMode{1024, 768, 100}, SecondMode{1280, 1024, 75},
                                           SecondMode{1024, 768, 60}),
                         SecondModeName);

TEST_F(Win32DisplaySetTwo, AGameOnTheSecondShowsInItsSizeAndIsPutBack) {
    int notifications = 0;
    Primary().SetChangeListener([&] { ++notifications; });
    DisplayMode found;
    ASSERT_TRUE(Second().EnumerateMode(ENUM_CURRENT_SETTINGS, found));
    ASSERT_NE(found.PelsWidth, 1024u) << "dual.conf starts DUMMY1 at 1280x1024";

    EXPECT_EQ(RunSwitchModeWhilePumping("1024 768 32 100 " + kSecond), 0u);

    EXPECT_EQ(notifications, 1);
    const auto x = XOutputs();
    ASSERT_EQ(x.size(), 2u);
    EXPECT_EQ(x[1].Mode.Width, 1024u);
    EXPECT_EQ(RoundRate(x[1].Mode.Rate), 100u);
    EXPECT_TRUE(SameOutput(x[0], FoundX(0))) << x[0];
    // Wine tells this process of another's change in the monitor's rectangle alone, which
    // is where the size is read; its rate stays the one this process last saw.
    EXPECT_EQ(Second().CurrentWidth(), 1024u);
    EXPECT_EQ(Second().CurrentHeight(), 768u);

    ASSERT_EQ(Second().ChangeMode(found, ChangeDynamic), DispChangeSuccessful);
    const auto back = XOutputs();
    ASSERT_EQ(back.size(), 2u);
    EXPECT_TRUE(SameOutput(back[1], FoundX(1))) << back[1] << " instead of " << FoundX(1);
    EXPECT_EQ(Second().CurrentWidth(), found.PelsWidth);
}

TEST_F(Win32DisplaySetTwo, ANameNeverAttachedAnswersAsADisplayGone) {
    for (const char* name : {"\\\\.\\DISPLAY3", "\\\\.\\DISPLAY9", "DISPLAY2", ""}) {
        SCOPED_TRACE(name);
        ExpectGone(set_.Display(name), WideRecordOf(L"\\\\.\\DISPLAY2"));
    }
    const auto x = XOutputs();
    ASSERT_EQ(x.size(), 2u);
    EXPECT_TRUE(SameOutput(x[1], FoundX(1))) << x[1];
}

// The output is switched off and on behind Wine's back, as when a monitor is unplugged
// and plugged in again.
TEST_F(Win32DisplaySetTwo, TheSecondSwitchedOffAnswersAsGoneThenComesBack) {
    DisplayService& second = Second();
    ASSERT_EQ(second.CurrentWidth(), FoundX(1).Mode.Width);
    const auto record = FindMode(second, 1024, 768, 32, 75);
    ASSERT_TRUE(record.has_value());
    const XServerOutput& found = FoundX(1);
    // Switched on again however the test ends, where it was: the X server has no memory
    // of an output's place.
    struct SwitchOn {
        std::string Arguments;
        ~SwitchOn() {
            if (!Arguments.empty()) {
                RunXrandr(Arguments);
            }
        }
    } switchOn{"--output " + found.Name + " --mode " + std::to_string(found.Mode.Width) + "x" +
               std::to_string(found.Mode.Height) + "_" +
               std::to_string(RoundRate(found.Mode.Rate)) + " --pos " + std::to_string(found.X) +
               "x" + std::to_string(found.Y)};
    std::string error;
    ASSERT_TRUE(RunXrandr("--output " + found.Name + " --off", &error)) << error;
    ASSERT_TRUE(WaitFor(loop_, [&] { return set_.Attached().size() == 1; }))
        << "Wine still lists the display switched off";

    ExpectGone(second, *record);
    // Wine switches a detached display on for a change that reaches it.
    EXPECT_EQ(XOutputs().size(), 1u);

    ASSERT_TRUE(RunXrandr(std::exchange(switchOn.Arguments, {}), &error)) << error;
    ASSERT_TRUE(WaitFor(loop_, [&] { return set_.Attached().size() == 2; }))
        << "Wine does not list the display switched on";
    EXPECT_EQ(second.CurrentWidth(), found.Mode.Width);
    EXPECT_EQ(second.CurrentHeight(), found.Mode.Height);
    EXPECT_EQ(second.CurrentRefresh(), RoundRate(found.Mode.Rate));
    EXPECT_EQ(RatesBySize(EnumerateAll(second), 32), ConfiguredRates());
}

} // namespace
} // namespace tvm::test
