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
    previousModeKey_ = display_.CurrentModeKey();
    previousFrequency_ = display_.CurrentRefresh();

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
    if (confirm && attempted && result == DispChangeSuccessful && window_ != nullptr) {
        window_->ConfirmModeSwitch();
    }
}

void ModeSwitcher::SwitchToModeByKey(const ModeKey& key) {
    if (const auto row = table_.Find(key)) {
        SwitchToMode(key, table_.Row(*row).Rate, true);
    }
}

void ModeSwitcher::RevertMode() {
    override_.TurnOff();
    SwitchToMode(previousModeKey_, previousFrequency_, false);
}

void ModeSwitcher::ConfirmationShown() {
    countdown_ = 11;
    if (window_ != nullptr) {
        window_->EnableModeSwitching(false);
    }
}

bool ModeSwitcher::CountdownTick() {
    return countdown_ == 0 || --countdown_ == 0;
}

void ModeSwitcher::ConfirmationHidden() {
    if (window_ != nullptr) {
        window_->EnableModeSwitching(true);
    }
}

} // namespace tvm
