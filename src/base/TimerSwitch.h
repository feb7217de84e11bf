#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace tvm {

// A timer as the engines see it, with the toolkit's rules: interval 0 never fires;
// enabling an enabled timer keeps its schedule; disabling and re-enabling restarts the
// full interval; a new interval restarts an enabled timer.
class TimerSwitch {
public:
    virtual ~TimerSwitch() = default;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual std::uint32_t Interval() const = 0;
    virtual void SetInterval(std::uint32_t interval) = 0;
};

// Where an engine gets its timers: message-based ones of the user-interface thread, whose
// ticks reach `onTimer` through the toolkit's dispatch (an error it raises is shown, and
// the program goes on). Created disabled.
class TimerFactory {
public:
    virtual std::unique_ptr<TimerSwitch> MakeTimer(std::uint32_t interval,
                                                   std::function<void()> onTimer) = 0;

protected:
    ~TimerFactory() = default;
};

} // namespace tvm
