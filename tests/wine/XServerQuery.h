#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tvm::test {

// The X server's own view of the display, which under Wine can differ from what a
// process reads through Win32 (Wine caches the mode per process).
struct XServerMode {
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    double Rate = 0.0; // the current mode's refresh rate as xrandr computes it
};

// An output that shows a picture (connected and switched on) and where it shows it.
struct XServerOutput {
    std::string Name; // "DUMMY1"
    std::int32_t X = 0;
    std::int32_t Y = 0;
    XServerMode Mode;
};

// "DUMMY1 1280x1024+1024+0 @ 60", for failure messages.
std::ostream& operator<<(std::ostream& out, const XServerOutput& output);

// True when the program runs under Wine and can start Unix programs.
bool CanQueryXServer();

// Runs xrandr on the display Wine uses and returns its connected output's current
// mode; nullopt (with the reason in `error`) when that is not possible.
std::optional<XServerMode> QueryXServerMode(std::string* error = nullptr);

// Every output that shows a picture, in xrandr's order; nullopt (with the reason in
// `error`) when xrandr cannot be asked.
std::optional<std::vector<XServerOutput>> QueryXServerOutputs(std::string* error = nullptr);

// Runs xrandr with `arguments` on the display Wine uses, as another program (or the user)
// would change the display behind Wine's back; false, with xrandr's words in `error`, when
// it fails.
bool RunXrandr(const std::string& arguments, std::string* error = nullptr);

// xrandr's raw report, for failure messages.
std::string QueryXServerReport();

} // namespace tvm::test
