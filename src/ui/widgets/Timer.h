#pragma once

#include "base/TimerSwitch.h"

#include <cstdint>
#include <functional>

namespace tvm {

class TApplication;
class TTimer;

// Message-based timers of the user-interface thread (SetTimer on Win32, the virtual
// clock in the simulation). The platform calls TTimer::Tick when one is due.
class TimerService {
public:
    virtual ~TimerService() = default;
    // (Re)starts the timer's schedule from now; false when the system grants no timer.
    virtual bool StartTimer(TTimer& timer, std::uint32_t intervalMs) = 0;
    virtual void StopTimer(TTimer& timer) = 0;
};

// A timer with the toolkit's rules: interval 0 never fires; enabling an enabled timer
// keeps its schedule; disabling and re-enabling restarts the full interval; a new
// interval restarts an enabled timer, the same interval changes nothing; a tick that
// arrives after the timer was disabled is dropped.
class TTimer final : public TimerSwitch {
public:
    // Created disabled; the windows set their timers going when they need them.
    TTimer(TApplication& app, std::uint32_t interval);
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    bool Enabled() const override { return enabled_; }
    // Raises "Not enough timers available" when the system grants no timer; the timer
    // then counts as enabled but never fires.
    void SetEnabled(bool enabled) override;
    std::uint32_t Interval() const override { return interval_; }
    void SetInterval(std::uint32_t interval) override;

    // Called by the platform when the timer is due.
    void Tick();

    std::function<void()> OnTimer;

private:
    void UpdateTimer();

    TApplication& app_;
    std::uint32_t interval_;
    bool enabled_ = false;
    bool running_ = false;
};

} // namespace tvm
