#include "platform/sim/VirtualClock.h"

namespace tvm {

bool VirtualClock::StartTimer(TTimer& timer, std::uint32_t intervalMs) {
    if (refuse_) {
        return false;
    }
    timers_[&timer] = Schedule{now_ + intervalMs, intervalMs, started_++, &timer};
    return true;
}

void VirtualClock::StopTimer(TTimer& timer) {
    timers_.erase(&timer);
}

void VirtualClock::Advance(std::uint64_t ms) {
    const std::uint64_t end = now_ + ms;
    for (;;) {
        const TTimer* next = nullptr;
        Schedule best{};
        for (const auto& [timer, schedule] : timers_) {
            if (schedule.Due <= end &&
                (!next || schedule.Due < best.Due ||
                 (schedule.Due == best.Due && schedule.Order < best.Order))) {
                next = timer;
                best = schedule;
            }
        }
        if (!next) {
            break;
        }
        if (best.Due > now_) {
            now_ = best.Due;
        }
        // The next tick is counted from this one; a tick that was held up by a
        // blocking wait does not fire again for each period it missed.
        timers_[next].Due = now_ + best.Interval;
        best.Timer->Tick();
    }
    now_ = end;
}

void VirtualClock::Sleep(std::uint64_t ms) {
    now_ += ms;
}

} // namespace tvm
