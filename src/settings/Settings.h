#pragma once

#include <cstdint>

namespace tvm {

// The program-wide settings, each named after its key in the settings file. Every field
// is zero or false until LoadSettings gives it its value. Overriding's On/Off is the
// override engine's to keep while the program runs: `SwitchedOn` is what the file says
// and what a save writes.
struct Settings {
    bool SwitchedOn = false;
    bool FastestFrequency = false;
    // The intervals of the override's delay and of the rate limit's window. The file
    // holds signed 32-bit numbers: one of 2^31 ms or more is written as the number that
    // reads back as it.
    std::uint32_t DelayBeforeOverride = 0;
    std::int32_t AutoDisableTimeAllowed = 0;
    std::uint32_t AutoDisableTimespan = 0;
    bool RunAtSetFrequency = false;
    std::int32_t RunAtSetFrequencyLevel = 0;
    bool CpuEnforceModes = false;
    bool ShowSystemTrayIcon = false;
    bool OptimizeDesktopMode = false;
    std::uint8_t ModeSwitcher = 0;
    std::int32_t PowerSaveDelay = 0;
    // On battery power no display runs faster than the level (Hz).
    bool BatteryLimit = false;
    std::int32_t BatteryLimitLevel = 0;
    bool RunOnBoot = false;
};

} // namespace tvm
