#pragma once

#include <cstdint>

namespace tvm {

// A timer as the engines see it: the window owns it and its schedule, an engine starts
// and stops it and reads or sets its interval.
class TimerSwitch {
public:
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual std::uint32_t Interval() const = 0;
    virtual void SetInterval(std::uint32_t interval) = 0;

protected:
    ~TimerSwitch() = default;
};

} // namespace tvm
