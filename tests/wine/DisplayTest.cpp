#include "DisplayTest.h"

#include <cmath>

namespace tvm::test {

namespace {

bool SameMode(const DEVMODEA& a, const DEVMODEA& b) {
    return a.dmPelsWidth == b.dmPelsWidth && a.dmPelsHeight == b.dmPelsHeight &&
           a.dmBitsPerPel == b.dmBitsPerPel && a.dmDisplayFrequency == b.dmDisplayFrequency;
}

bool SameMode(const XServerMode& a, const XServerMode& b) {
    return a.Width == b.Width && a.Height == b.Height && std::fabs(a.Rate - b.Rate) < 0.005;
}

DEVMODEA CurrentSettings() {
    DEVMODEA current{};
    current.dmSize = sizeof current;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current);
    return current;
}

} // namespace

std::uint32_t RoundRate(double rate) {
    return static_cast<std::uint32_t>(std::lround(rate));
}

void DisplayTest::SetUp() {
    found_ = CurrentSettings();
    ASSERT_NE(found_.dmPelsWidth, 0u) << "no current display mode";
    if (CanQueryXServer()) {
        foundX_ = XMode();
        ASSERT_TRUE(foundX_.has_value());
    }
}

void DisplayTest::TearDown() {
    const bool win32Moved = !SameMode(CurrentSettings(), found_);
    const auto x = foundX_ ? XMode() : std::nullopt;
    const bool xMoved = foundX_ && (!x || !SameMode(*x, *foundX_));
    if (!win32Moved && !xMoved) {
        return;
    }
    EXPECT_EQ(ChangeDisplaySettingsA(&found_, 0), DISP_CHANGE_SUCCESSFUL)
        << "cannot restore " << found_.dmPelsWidth << "x" << found_.dmPelsHeight << " @ "
        << found_.dmDisplayFrequency;
    if (foundX_) {
        const auto restored = XMode();
        ASSERT_TRUE(restored.has_value());
        EXPECT_TRUE(SameMode(*restored, *foundX_))
            << "the X server stays at " << restored->Width << "x" << restored->Height << " @ "
            << restored->Rate << " instead of " << foundX_->Width << "x" << foundX_->Height << " @ "
            << foundX_->Rate;
    }
}

std::optional<XServerMode> DisplayTest::XMode() {
    if (!CanQueryXServer()) {
        return std::nullopt;
    }
    std::string error;
    auto mode = QueryXServerMode(&error);
    EXPECT_TRUE(mode.has_value()) << error;
    return mode;
}

std::vector<DisplayMode> EnumerateAll(DisplayService& display) {
    std::vector<DisplayMode> modes;
    DisplayMode mode;
    for (std::uint32_t index = 0; display.EnumerateMode(index, mode); ++index) {
        modes.push_back(mode);
    }
    return modes;
}

std::map<ModeSize, std::set<std::uint32_t>> RatesBySize(const std::vector<DisplayMode>& modes,
                                                        std::uint32_t bits) {
    std::map<ModeSize, std::set<std::uint32_t>> rates;
    for (const DisplayMode& mode : modes) {
        if (mode.BitsPerPel == bits) {
            rates[{mode.PelsWidth, mode.PelsHeight}].insert(mode.DisplayFrequency);
        }
    }
    return rates;
}

std::optional<DisplayMode> FindMode(DisplayService& display, std::uint32_t width,
                                    std::uint32_t height, std::uint32_t bits, std::uint32_t rate) {
    for (const DisplayMode& mode : EnumerateAll(display)) {
        if (mode.PelsWidth == width && mode.PelsHeight == height && mode.BitsPerPel == bits &&
            mode.DisplayFrequency == rate) {
            return mode;
        }
    }
    return std::nullopt;
}

} // namespace tvm::test
