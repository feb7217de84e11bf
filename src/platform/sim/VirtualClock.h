#pragma once

#include "ui/widgets/Timer.h"

#include <cstdint>
#include <map>

namespace tvm {

// Timers on simulated time: nothing happens until a test advances the clock, and then
// every due tick fires in time order.
class VirtualClock : public TimerService {
public:
    bool StartTimer(TTimer& timer, std::uint32_t intervalMs) override;
    void StopTimer(TTimer& timer) override;

    // Moves time forward by `ms`, firing each tick when its time comes.
    void Advance(std::uint64_t ms);
    // A blocking wait of the user-interface thread: time passes, no tick fires; ticks
    // that fell due meanwhile fire once at the next Advance, as WM_TIMER coalesces.
    void Sleep(std::uint64_t ms);
    std::uint64_t Now() const { return now_; }

    // The system grants no more timers while set.
    void RefuseTimers(bool refuse) { refuse_ = refuse; }
    std::size_t RunningTimers() const { return timers_.size(); }
    bool IsRunning(const TTimer& timer) const { return timers_.count(&timer) != 0; }

private:
    struct Schedule {
        std::uint64_t Due;
        std::uint32_t Interval;
        std::uint64_t Order; // ties fire in the order the timers were started
        TTimer* Timer;
    };
    std::map<const TTimer*, Schedule> timers_;
    std::uint64_t now_ = 0;
    std::uint64_t started_ = 0;
    bool refuse_ = false;
};

} // namespace tvm
