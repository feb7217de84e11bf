#include "ui/widgets/Timer.h"

#include "ui/widgets/Application.h"

namespace tvm {

TTimer::TTimer(TApplication& app, std::uint32_t interval) : app_(app), interval_(interval) {}

TTimer::~TTimer() {
    if (running_) {
        app_.Timers().StopTimer(*this);
    }
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(std::uint32_t interval) {
    if (interval == interval_) {
        return;
    }
    interval_ = interval;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (running_) {
        app_.Timers().StopTimer(*this);
        running_ = false;
    }
    if (!enabled_ || interval_ == 0) {
        return;
    }
    if (!app_.Timers().StartTimer(*this, interval_)) {
        throw ProgramError("Not enough timers available");
    }
    running_ = true;
}

void TTimer::Tick() {
    if (!enabled_ || !running_ || !OnTimer) {
        return;
    }
    app_.Dispatch(OnTimer);
}

} // namespace tvm
