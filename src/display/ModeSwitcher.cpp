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
    SwitchOn(*display_, std::move(key), frequency, confirm);
}

void ModeSwitcher::SwitchOn(DisplayService& display, ModeKey key, std::uint32_t frequency,
                            bool confirm) {
    previousDisplay_ = &display;
    previousModeKey_ = display.CurrentModeKey();
    previousFrequency_ = display.CurrentRefresh();

    bool attempted = false;
    std::int32_t result = DispChangeFailed;
    DisplayMode mode;
    for (std::uint32_t index = 0; display.EnumerateMode(index, mode); ++index) {
        if (MakeModeKey(mode.PelsWidth, mode.PelsHeight, mode.BitsPerPel) == key) {
            mode.DisplayFrequency = frequency;
            result = display.ChangeMode(mode, SwitchFlags(config_.ModeSwitcher));
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
    SwitchToModeByKey(*display_, *table_, key);
}

void ModeSwitcher::SwitchToModeByKey(DisplayService& display, const ModeTable& table,
                                     const ModeKey& key) {
    if (const auto row = table.Find(key)) {
        SwitchOn(display, key, RateToApply(table.Row(*row), override_.RateCap()), true);
    }
}

void ModeSwitcher::RevertMode() {
    override_.TurnOff();
    SwitchOn(*previousDisplay_, previousModeKey_, previousFrequency_, false);
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
