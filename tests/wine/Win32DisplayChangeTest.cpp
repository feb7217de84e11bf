#include "DisplayTest.h"
#include "DummyDisplay.h"
#include "TestShell.h"

#include <cstddef>
#include <cstring>
#include <ostream>
#include <string>

namespace tvm::test {
namespace {

struct Mode {
    std::uint32_t Width;
    std::uint32_t Height;
    std::uint32_t Bits;
    std::uint32_t Rate;
};

std::ostream& operator<<(std::ostream& out, const Mode& mode) {
    return out << mode.Width << "x" << mode.Height << "x" << mode.Bits << "@" << mode.Rate;
}

std::string ModeName(const ::testing::TestParamInfo<Mode>& param) {
    const Mode& m = param.param;
    return std::to_string(m.Width) + "x" + std::to_string(m.Height) + "x" + std::to_string(m.Bits) +
           "at" + std::to_string(m.Rate);
}

std::vector<Mode> EveryDummyModeAt(std::uint32_t bits) {
    std::vector<Mode> modes;
    for (const DummySize& size : DummySizes()) {
        for (std::uint32_t rate : size.Rates) {
            modes.push_back({size.Width, size.Height, bits, rate});
        }
    }
    return modes;
}

class ChangeToEnumeratedMode : public DisplayTest, public ::testing::WithParamInterface<Mode> {};

TEST_P(ChangeToEnumeratedMode, TakesEffectInProcessAndOnTheXServer) {
    const Mode want = GetParam();
    Win32MessageLoop loop;
    Win32Display display(loop);
    const auto mode = FindMode(display, want.Width, want.Height, want.Bits, want.Rate);
    ASSERT_TRUE(mode.has_value()) << want << " is not enumerated";

    ASSERT_EQ(display.ChangeMode(*mode, ChangeDynamic), DispChangeSuccessful);

    EXPECT_EQ(display.CurrentWidth(), want.Width);
    EXPECT_EQ(display.CurrentHeight(), want.Height);
    EXPECT_EQ(display.CurrentRefresh(), want.Rate);
    // Wine emulates the depth for the process that set it; the X server keeps its own.
    EXPECT_EQ(display.CurrentDepth(), want.Bits);
    if (const auto x = XMode()) {
        EXPECT_EQ(x->Width, want.Width);
        EXPECT_EQ(x->Height, want.Height);
        EXPECT_EQ(RoundRate(x->Rate), want.Rate) << "xrandr reports " << x->Rate;
    }
}

INSTANTIATE_TEST_SUITE_P(At32Bits, ChangeToEnumeratedMode,
                         ::testing::ValuesIn(EveryDummyModeAt(32)), ModeName);
INSTANTIATE_TEST_SUITE_P(At16Bits, ChangeToEnumeratedMode,
                         ::testing::Values(Mode{1024, 768, 16, 85}, Mode{640, 480, 16, 140},
                                           Mode{1280, 1024, 16, 60}),
                         ModeName);

class Win32DisplayChange : public DisplayTest {};

// How the program uses it: take the record of the current size and ask for another
// rate by changing only the named field.
TEST_F(Win32DisplayChange, NewRateOnTheCurrentRecord) {
    Win32MessageLoop loop;
    Win32Display display(loop);
    DisplayMode current;
    ASSERT_TRUE(display.EnumerateMode(ENUM_CURRENT_SETTINGS, current));
    const std::uint32_t other = current.DisplayFrequency == 75 ? 85 : 75;

    current.DisplayFrequency = other;
    ASSERT_EQ(display.ChangeMode(current, ChangeDynamic), DispChangeSuccessful);

    EXPECT_EQ(display.CurrentRefresh(), other);
    if (const auto x = XMode()) {
        EXPECT_EQ(RoundRate(x->Rate), other);
    }
}

// A test-only change hands every enumerated record, whatever its depth, back to the
// system unaltered and has it accepted.
TEST_F(Win32DisplayChange, EveryEnumeratedRecordIsAccepted) {
    Win32MessageLoop loop;
    Win32Display display(loop);
    const auto modes = EnumerateAll(display);
    ASSERT_FALSE(modes.empty());
    for (const DisplayMode& mode : modes) {
        EXPECT_EQ(display.ChangeMode(mode, CDS_TEST), DispChangeSuccessful)
            << mode.PelsWidth << "x" << mode.PelsHeight << "x" << mode.BitsPerPel << "@"
            << mode.DisplayFrequency;
    }
}

TEST(Win32DisplayRecord, RoundTripKeepsEveryByteOfTheEnumeratedRecord) {
    for (DWORD index = 0;; ++index) {
        DEVMODEA enumerated{};
        enumerated.dmSize = sizeof enumerated;
        if (!EnumDisplaySettingsA(nullptr, index, &enumerated)) {
            ASSERT_GT(index, 0u);
            break;
        }
        const DEVMODEA handedBack = Win32Display::ToDevMode(Win32Display::FromDevMode(enumerated));
        EXPECT_EQ(std::memcmp(&handedBack, &enumerated, sizeof enumerated), 0) << "mode " << index;
        EXPECT_EQ(handedBack.dmSize, enumerated.dmSize);
        EXPECT_EQ(handedBack.dmFields, enumerated.dmFields);
    }
}

TEST(Win32DisplayRecord, NamedFieldsAreTheOnlyChange) {
    DEVMODEA enumerated{};
    enumerated.dmSize = sizeof enumerated;
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, 0, &enumerated));

    DisplayMode mode = Win32Display::FromDevMode(enumerated);
    mode.BitsPerPel = 16;
    mode.PelsWidth = 1234;
    mode.PelsHeight = 567;
    mode.DisplayFrequency = 89;
    const DEVMODEA handedBack = Win32Display::ToDevMode(mode);

    EXPECT_EQ(handedBack.dmBitsPerPel, 16u);
    EXPECT_EQ(handedBack.dmPelsWidth, 1234u);
    EXPECT_EQ(handedBack.dmPelsHeight, 567u);
    EXPECT_EQ(handedBack.dmDisplayFrequency, 89u);
    DEVMODEA rest = handedBack;
    rest.dmBitsPerPel = enumerated.dmBitsPerPel;
    rest.dmPelsWidth = enumerated.dmPelsWidth;
    rest.dmPelsHeight = enumerated.dmPelsHeight;
    rest.dmDisplayFrequency = enumerated.dmDisplayFrequency;
    EXPECT_EQ(std::memcmp(&rest, &enumerated, sizeof enumerated), 0);
}

class RefusedMode : public DisplayTest, public ::testing::WithParamInterface<Mode> {};

TEST_P(RefusedMode, IsBadModeAndChangesNothing) {
    const Mode want = GetParam();
    Win32MessageLoop loop;
    TestShell shell(loop); // a WM_DISPLAYCHANGE would reach it
    Win32Display& display = shell.Display;
    int notifications = 0;
    display.SetChangeListener([&] { ++notifications; });
    DisplayMode mode;
    ASSERT_TRUE(display.EnumerateMode(ENUM_CURRENT_SETTINGS, mode));
    const std::uint32_t refreshBefore = display.CurrentRefresh();
    const auto xBefore = XMode();

    mode.PelsWidth = want.Width;
    mode.PelsHeight = want.Height;
    mode.BitsPerPel = want.Bits;
    mode.DisplayFrequency = want.Rate;
    EXPECT_EQ(display.ChangeMode(mode, ChangeDynamic), DispChangeBadMode);

    EXPECT_EQ(notifications, 0);
    EXPECT_EQ(display.CurrentRefresh(), refreshBefore);
    if (const auto x = XMode(); x && xBefore) {
        EXPECT_EQ(x->Width, xBefore->Width);
        EXPECT_EQ(x->Rate, xBefore->Rate);
    }
}

INSTANTIATE_TEST_SUITE_P(NotOffered, RefusedMode,
                         ::testing::Values(
                             // in the X configuration, but beyond the monitor's line rate
                             Mode{1024, 768, 32, 120},
                             // rates the size lacks
                             Mode{1280, 1024, 32, 100}, Mode{800, 600, 32, 140},
                             Mode{640, 480, 32, 61},
                             // a size the display lacks
                             Mode{1000, 700, 32, 60}, Mode{1600, 1200, 32, 60}),
                         ModeName);

} // namespace
} // namespace tvm::test
