#include "display/OverrideEngine.h"

#include <algorithm>

namespace tvm {

OverrideEngine::Operation::Operation(OverrideEngine& engine) : engine_(engine) {
    ++engine_.depth_;
}

OverrideEngine::Operation::~Operation() {
    if (--engine_.depth_ == 0 && engine_.changed_) {
        engine_.changed_ = false;
        if (engine_.listener_ != nullptr) {
            engine_.listener_->OverrideChanged();
        }
    }
}

OverrideEngine::OverrideEngine(DisplayService& display, const ModeTable& table,
                               const Settings& config, TimerFactory& timers)
    : config_(config),
      // Until the settings are loaded the window is as long as nobody will wait.
      delay_(timers.MakeTimer(0, [this] { Timer1Timer(); })),
      rateWindow_(timers.MakeTimer(600000000, [this] { Timer2Timer(); })),
      poll_(timers.MakeTimer(1, [this] { EnforcementTick(); })),
      lateCheck_(timers.MakeTimer(kLateCheckDelay, [this] { LateCheckTimer(); })) {
    AddDisplay(display, table);
}

void OverrideEngine::AddDisplay(DisplayService& display, const ModeTable& table) {
    for (const auto& target : targets_) {
        if (target->Display == &display) {
            target->Table = &table;
            target->Attached = true;
            target->LastSeen = SeenMode{};
            return;
        }
    }
    targets_.push_back(std::make_unique<Target>(Target{&display, &table, true, {}, {}}));
}

void OverrideEngine::SetDisplayAttached(const DisplayService& display, bool attached) {
    for (const auto& target : targets_) {
        if (target->Display == &display) {
            target->Attached = attached;
            target->LastSeen = SeenMode{};
            target->LastAnsweredOtherwise.reset();
        }
    }
}

void OverrideEngine::SetStatus(std::string text) {
    status_ = std::move(text);
    // Also the same text again: the window shows it anew over whatever it wrote there.
    changed_ = true;
}

void OverrideEngine::ApplyOverride(std::uint32_t flags) {
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        ApplyOverrideTo(*targets_[i], flags);
    }
}

void OverrideEngine::ApplyOverrideTo(Target& target, std::uint32_t flags) {
    // The notification of our own change arrives inside it; what the change came to
    // is judged once it has returned.
    if (changingMode_ || !target.Attached) {
        return;
    }
    DisplayService& display = *target.Display;
    const ModeTable& table = *target.Table;
    const std::uint32_t current = display.CurrentRefresh();
    if (config_.RunAtSetFrequency &&
        static_cast<std::int64_t>(current) != config_.RunAtSetFrequencyLevel) {
        return;
    }
    // The request is always a record the driver handed out, never one made up here.
    DisplayMode request;
    if (!display.EnumerateMode(0, request)) {
        return;
    }
    request.BitsPerPel = display.CurrentDepth();
    request.PelsWidth = display.CurrentWidth();
    request.PelsHeight = display.CurrentHeight();
    const ModeKey key = MakeModeKey(request.PelsWidth, request.PelsHeight, request.BitsPerPel);
    const auto row = table.Find(key);
    // An unknown mode is left alone rather than given the first listed mode's rate.
    if (!row) {
        return;
    }
    request.DisplayFrequency = RateToApply(table.Row(*row), RateCap());
    if (request.DisplayFrequency == 0 || request.DisplayFrequency == current) {
        return;
    }
    const auto& last = target.LastAnsweredOtherwise;
    if (last && last->Key == key && last->Asked == request.DisplayFrequency &&
        last->Given == current) {
        return;
    }
    Operation operation(*this);
    changingMode_ = true;
    struct Changed {
        bool& Flag;
        ~Changed() { Flag = false; }
    } changed{changingMode_};
    const std::int32_t result = display.ChangeMode(request, flags);
    const std::uint32_t given = display.CurrentRefresh();
    if (result == DispChangeSuccessful && given != request.DisplayFrequency &&
        display.CurrentModeKey() == key) {
        target.LastAnsweredOtherwise = AnsweredOtherwise{key, request.DisplayFrequency, given};
    } else {
        target.LastAnsweredOtherwise.reset();
    }
}

std::optional<std::uint32_t> OverrideEngine::RateCap() const {
    if (!onBattery_ || !config_.BatteryLimit) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(std::max(config_.BatteryLimitLevel, 0));
}

std::string OverrideEngine::BatteryNote() const {
    const auto cap = RateCap();
    if (!switchedOn_ || !cap) {
        return {};
    }
    return " (battery: " + std::to_string(*cap) + " Hz at most)";
}

void OverrideEngine::SetOnBattery(bool onBattery) {
    if (onBattery != onBattery_) {
        Operation operation(*this);
        onBattery_ = onBattery;
        changed_ = true;
    }
}

void OverrideEngine::CheckDisplays() {
    if (!switchedOn_) {
        return;
    }
    Operation operation(*this);
    // What the driver answered before may have changed with the event: another monitor
    // behind the same output, a mode the driver lists again. One check asks once.
    for (const auto& target : targets_) {
        target->LastAnsweredOtherwise.reset();
    }
    ApplyOverride(ChangeFullscreen);
}

void OverrideEngine::BatteryLimitChanged() {
    Operation operation(*this);
    changed_ = true;
    CheckDisplays();
}

void OverrideEngine::SystemEventCheck() {
    if (!switchedOn_) {
        return;
    }
    Operation operation(*this);
    CheckDisplays();
    lateCheck_->SetEnabled(false);
    lateCheck_->SetEnabled(true);
}

void OverrideEngine::LateCheckTimer() {
    lateCheck_->SetEnabled(false);
    CheckDisplays();
}

void OverrideEngine::NoteDisplayState(Target& target) {
    auto& last = target.LastAnsweredOtherwise;
    if (last && (target.Display->CurrentModeKey() != last->Key ||
                 target.Display->CurrentRefresh() != last->Given)) {
        last.reset();
    }
}

void OverrideEngine::OnDisplayChange() {
    if (!switchedOn_) {
        return;
    }
    Operation operation(*this);
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        NoteDisplayState(*targets_[i]);
    }
    ++changesMade_;
    if (changesMade_ > config_.AutoDisableTimeAllowed) {
        SwitchOff();
        SetStatus(kStatusRateLimit);
        return;
    }
    SetStatus(kStatusWithinLimit + std::to_string(changesMade_));
    if (delay_->Enabled()) {
        delay_->SetEnabled(false);
        delay_->SetEnabled(true);
        return;
    }
    rateWindow_->SetEnabled(true);
    if (delay_->Interval() == 0 || config_.CpuEnforceModes) {
        Timer1Timer();
    } else {
        delay_->SetEnabled(true);
    }
}

void OverrideEngine::Timer1Timer() {
    delay_->SetEnabled(false);
    ApplyOverride(ChangeFullscreen);
}

void OverrideEngine::Timer2Timer() {
    Operation operation(*this);
    rateWindow_->SetEnabled(false);
    changesMade_ = 0;
    SetStatus(kStatusReady);
}

void OverrideEngine::RestartEnforcement() {
    Operation operation(*this);
    if (config_.CpuEnforceModes && switchedOn_) {
        for (const auto& target : targets_) {
            target->LastSeen = SeenMode{};
        }
        poll_->SetEnabled(true);
        EnforcementTick();
    } else {
        poll_->SetEnabled(false);
    }
}

void OverrideEngine::EnforcementTick() {
    // Runs every millisecond: five queries and a compare per display, nothing else
    // unless a display changed.
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        Target& target = *targets_[i];
        if (!target.Attached) {
            continue;
        }
        DisplayService& display = *target.Display;
        const SeenMode sample{display.CurrentDepth(), display.CurrentWidth(),
                              display.CurrentHeight(), display.CurrentRefresh()};
        if (sample == target.LastSeen) {
            continue;
        }
        NoteDisplayState(target);
        ApplyOverrideTo(target, ChangeFullscreen);
        target.LastSeen = sample;
    }
}

void OverrideEngine::TurnOn() {
    Operation operation(*this);
    switchedOn_ = true;
    changed_ = true;
    RestartEnforcement();
    // The poll's first tick may have tripped the rate limit (an allowance below 1 from a
    // hand-edited file): then the Off path has run, and what it said stays.
    if (switchedOn_) {
        SetStatus(kStatusReady);
    }
}

void OverrideEngine::TurnOff() {
    Operation operation(*this);
    SwitchOff();
}

void OverrideEngine::SwitchOff() {
    switchedOn_ = false;
    delay_->SetEnabled(false);
    rateWindow_->SetEnabled(false);
    lateCheck_->SetEnabled(false);
    RestartEnforcement();
    changesMade_ = 0;
    SetStatus(kStatusDisabled);
}

void OverrideEngine::SettingsChanged() {
    Operation operation(*this);
    delay_->SetInterval(config_.DelayBeforeOverride);
    rateWindow_->SetInterval(config_.AutoDisableTimespan);
    if (config_.DelayBeforeOverride == 0 && delay_->Enabled()) {
        Timer1Timer();
    }
}

} // namespace tvm
