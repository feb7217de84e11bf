#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tvm::test {

// The X server's own view of the display, which under Wine can differ from what a
// process reads through Win32 (Wine caches the mode per process).
struct XServerMode {
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    double Rate = 0.0; // the current mode's refresh rate as xrandr computes it
};

// True when the program runs under Wine and can start Unix programs.
bool CanQueryXServer();

// Runs xrandr on the display Wine uses and returns its connected output's current
// mode; nullopt (with the reason in `error`) when that is not possible.
std::optional<XServerMode> QueryXServerMode(std::string* error = nullptr);

// xrandr's raw report, for failure messages.
std::string QueryXServerReport();

} // namespace tvm::test
