#pragma once

#include <cstdint>

namespace tvm {

// The program-wide settings that are plain fields. `SwitchedOn` lives in the main
// window's On/Off radio buttons, `FastestFrequency` in its check box, and
// `DelayBeforeOverride` / `AutoDisableTimespan` in the intervals of its Timer1 and
// Timer2. Every field is zero or false until LoadSettings gives it its value.
struct Settings {
    std::int32_t AutoDisableTimeAllowed = 0;
    bool RunAtSetFrequency = false;
    std::int32_t RunAtSetFrequencyLevel = 0;
    bool CpuEnforceModes = false;
    bool ShowSystemTrayIcon = false;
    bool OptimizeDesktopMode = false;
    std::uint8_t ModeSwitcher = 0;
    std::int32_t PowerSaveDelay = 0;
    bool RunOnBoot = false;
};

} // namespace tvm
