#include "display/OverrideEngine.h"

namespace tvm {

void OverrideEngine::ApplyOverride(std::uint32_t flags) {
    // The notification of our own change arrives inside it; what the change came to
    // is judged once it has returned.
    if (ChangingMode) {
        return;
    }
    const std::uint32_t current = display_.CurrentRefresh();
    if (config_.RunAtSetFrequency &&
        static_cast<std::int64_t>(current) != config_.RunAtSetFrequencyLevel) {
        return;
    }
    // The request is always a record the driver handed out, never one made up here.
    DisplayMode request;
    if (!display_.EnumerateMode(0, request)) {
        return;
    }
    request.BitsPerPel = display_.CurrentDepth();
    request.PelsWidth = display_.CurrentWidth();
    request.PelsHeight = display_.CurrentHeight();
    const ModeKey key = MakeModeKey(request.PelsWidth, request.PelsHeight, request.BitsPerPel);
    const auto row = table_.Find(key);
    // An unknown mode is left alone rather than given the first listed mode's rate.
    if (!row) {
        return;
    }
    request.DisplayFrequency = table_.Row(*row).Rate;
    if (request.DisplayFrequency == 0 || request.DisplayFrequency == current) {
        return;
    }
    const auto& last = LastAnsweredOtherwise;
    if (last && last->Key == key && last->Asked == request.DisplayFrequency &&
        last->Given == current) {
        return;
    }
    ChangingMode = true;
    struct Changed {
        bool& Flag;
        ~Changed() { Flag = false; }
    } changed{ChangingMode};
    const std::int32_t result = display_.ChangeMode(request, flags);
    const std::uint32_t given = display_.CurrentRefresh();
    if (result == DispChangeSuccessful && given != request.DisplayFrequency &&
        display_.CurrentModeKey() == key) {
        LastAnsweredOtherwise = AnsweredOtherwise{key, request.DisplayFrequency, given};
    } else {
        LastAnsweredOtherwise.reset();
    }
}

void OverrideEngine::NoteDisplayState() {
    if (LastAnsweredOtherwise && (display_.CurrentModeKey() != LastAnsweredOtherwise->Key ||
                                  display_.CurrentRefresh() != LastAnsweredOtherwise->Given)) {
        LastAnsweredOtherwise.reset();
    }
}

void OverrideEngine::OnDisplayChange() {
    if (!window_.SwitchedOn()) {
        return;
    }
    NoteDisplayState();
    ++ChangesMade;
    if (ChangesMade > config_.AutoDisableTimeAllowed) {
        window_.SwitchOff();
        window_.ShowStatus(kStatusRateLimit);
        return;
    }
    window_.ShowStatus(kStatusWithinLimit + std::to_string(ChangesMade));
    TimerSwitch& delay = timers_.Delay;
    if (delay.Enabled()) {
        delay.SetEnabled(false);
        delay.SetEnabled(true);
        return;
    }
    timers_.RateWindow.SetEnabled(true);
    if (delay.Interval() == 0 || config_.CpuEnforceModes) {
        Timer1Timer();
    } else {
        delay.SetEnabled(true);
    }
}

void OverrideEngine::Timer1Timer() {
    timers_.Delay.SetEnabled(false);
    ApplyOverride(ChangeFullscreen);
}

void OverrideEngine::SetDelayBeforeOverride(std::uint32_t ms) {
    timers_.Delay.SetInterval(ms);
    if (ms == 0 && timers_.Delay.Enabled()) {
        Timer1Timer();
    }
}

void OverrideEngine::Timer2Timer() {
    timers_.RateWindow.SetEnabled(false);
    ChangesMade = 0;
    window_.ShowStatus(kStatusReady);
}

void OverrideEngine::RestartEnforcement() {
    if (config_.CpuEnforceModes && window_.SwitchedOn()) {
        LastSeenMode = SeenMode{};
        timers_.Poll.SetEnabled(true);
        EnforcementTick();
    } else {
        timers_.Poll.SetEnabled(false);
    }
}

void OverrideEngine::EnforcementTick() {
    // Runs every millisecond: five queries and a compare, nothing else unless the
    // display changed.
    const SeenMode sample{display_.CurrentDepth(), display_.CurrentWidth(),
                          display_.CurrentHeight(), display_.CurrentRefresh()};
    if (sample == LastSeenMode) {
        return;
    }
    NoteDisplayState();
    ApplyOverride(ChangeFullscreen);
    LastSeenMode = sample;
}

void OverrideEngine::TurnedOff() {
    timers_.Delay.SetEnabled(false);
    timers_.RateWindow.SetEnabled(false);
    RestartEnforcement();
    ChangesMade = 0;
}

} // namespace tvm
