#pragma once

#include "XServerQuery.h"

#include "display/DisplayMode.h"
#include "platform/win32/Win32Display.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace tvm::test {

// Base of the tests that change the display mode. It records the mode it finds, as
// Win32 and as the X server report it, and puts it back afterwards: under Wine a
// mode change outlives the process that made it.
class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The X server's current mode; fails the test when it cannot be read. Under
    // Windows there is no X server and the X checks are skipped.
    std::optional<XServerMode> XMode();

private:
    DEVMODEA found_{};
    std::optional<XServerMode> foundX_;
};

// Every record the display service enumerates, in order.
std::vector<DisplayMode> EnumerateAll(DisplayService& display);

using ModeSize = std::pair<std::uint32_t, std::uint32_t>;

// size -> the rates enumerated for it at `bits`
std::map<ModeSize, std::set<std::uint32_t>> RatesBySize(const std::vector<DisplayMode>& modes,
                                                        std::uint32_t bits);

// The enumerated record for a mode, or nullopt.
std::optional<DisplayMode> FindMode(DisplayService& display, std::uint32_t width,
                                    std::uint32_t height, std::uint32_t bits, std::uint32_t rate);

// Whole-hertz view of xrandr's rate (60.01 and 59.99 are both 60).
std::uint32_t RoundRate(double rate);

} // namespace tvm::test
