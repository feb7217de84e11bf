#include "display/ModeSwitcher.h"

namespace tvm {

namespace {

std::uint32_t SwitchFlags(std::uint8_t modeSwitcher) {
    switch (modeSwitcher) {
    case 1:
        return ChangeFullscreen;
    case 2:
        return ChangeUpdateRegistry;
    default:
        return ChangeDynamic;
    }
}

} // namespace

void ModeSwitcher::SwitchToMode(ModeKey key, std::uint32_t frequency, bool confirm) {
    PreviousModeKey = display_.CurrentModeKey();
    PreviousFrequency = display_.CurrentRefresh();

    bool attempted = false;
    std::int32_t result = DispChangeFailed;
    DisplayMode mode;
    for (std::uint32_t index = 0; display_.EnumerateMode(index, mode); ++index) {
        if (MakeModeKey(mode.PelsWidth, mode.PelsHeight, mode.BitsPerPel) == key) {
            mode.DisplayFrequency = frequency;
            result = display_.ChangeMode(mode, SwitchFlags(config_.ModeSwitcher));
            attempted = true;
            break;
        }
    }
    // With no mode to switch to there is nothing to confirm, and a countdown would
    // only switch overriding Off.
    if (confirm && attempted && result == DispChangeSuccessful) {
        window_.ConfirmModeSwitch();
    }
}

void ModeSwitcher::SwitchToModeByKey(const ModeKey& key) {
    if (const auto row = table_.Find(key)) {
        SwitchToMode(key, table_.Row(*row).Rate, true);
    }
}

void ModeSwitcher::RevertMode() {
    window_.SwitchOff();
    SwitchToMode(PreviousModeKey, PreviousFrequency, false);
}

} // namespace tvm
