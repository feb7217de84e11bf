#pragma once

#include "display/DisplayMode.h"
#include "display/ModeKey.h"

#include <cstdint>
#include <functional>

namespace tvm {

// All access to the display. One implementation per platform: the real one over the
// Win32 display-settings calls, and the simulated driver used by tests and tools.
class DisplayService {
public:
    virtual ~DisplayService() = default;

    // Fills `mode` with the driver's mode number `index`; false at the end of the list.
    // Every call enumerates afresh: nothing is cached.
    virtual bool EnumerateMode(std::uint32_t index, DisplayMode& mode) = 0;

    // The current refresh rate in hertz (0 and 1: the hardware's default).
    virtual std::uint32_t CurrentRefresh() = 0;
    virtual std::uint32_t CurrentDepth() = 0;
    virtual std::uint32_t CurrentWidth() = 0;
    virtual std::uint32_t CurrentHeight() = 0;

    // Asks for the mode in `mode` (a record taken from EnumerateMode, possibly with
    // its four named fields changed). Returns the platform's result code. The change
    // notification may be delivered before this returns, as Windows does.
    virtual std::int32_t ChangeMode(const DisplayMode& mode, std::uint32_t flags) = 0;

    // Who hears about display-mode changes (WM_DISPLAYCHANGE); one listener.
    void SetChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

    ModeKey CurrentModeKey() {
        return MakeModeKey(CurrentWidth(), CurrentHeight(), CurrentDepth());
    }

protected:
    void NotifyChange() {
        if (listener_) {
            listener_();
        }
    }

private:
    std::function<void()> listener_;
};

} // namespace tvm
