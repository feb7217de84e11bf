#pragma once

#include "ui/widgets/Timer.h"

#include <windows.h>

#include <cstdint>
#include <map>

namespace tvm {

// The toolkit's timers, every form's, as SetTimer timers on the shell window (the main
// window), which hands its WM_TIMER to Tick. Each start of a TTimer gets an id of its
// own, so a WM_TIMER left queued by a timer that was since stopped finds nobody.
//
// The shell window comes with the main window; a timer started before it begins its
// schedule when the window is attached.
class Win32Timers final : public TimerService {
public:
    Win32Timers() = default;
    ~Win32Timers() override;
    Win32Timers(const Win32Timers&) = delete;
    Win32Timers& operator=(const Win32Timers&) = delete;

    bool StartTimer(TTimer& timer, std::uint32_t intervalMs) override;
    void StopTimer(TTimer& timer) override;

    // The shell window, from its creation to its end.
    void Attach(HWND window);
    void Detach();
    HWND Window() const { return window_; }

    // A WM_TIMER of the shell window: ticks the timer with that id. False when no timer
    // of ours has it.
    bool Tick(UINT_PTR id);

private:
    struct Started {
        UINT_PTR Id;
        std::uint32_t IntervalMs;
    };

    HWND window_ = nullptr;
    UINT_PTR nextId_ = 1;
    std::map<TTimer*, Started> started_;
    std::map<UINT_PTR, TTimer*> timers_;
};

} // namespace tvm
