#pragma once

#include "platform/win32/Win32MessageLoop.h"
#include "ui/widgets/Timer.h"

#include <windows.h>

#include <map>

namespace tvm {

// The toolkit's timers as SetTimer timers on a hidden window of their own, one timer
// id for each start of a TTimer, so a WM_TIMER left queued by a timer that was since
// stopped finds nobody.
class Win32Timers final : public TimerService {
public:
    explicit Win32Timers(Win32MessageLoop& loop);
    ~Win32Timers() override;
    Win32Timers(const Win32Timers&) = delete;
    Win32Timers& operator=(const Win32Timers&) = delete;

    bool StartTimer(TTimer& timer, std::uint32_t intervalMs) override;
    void StopTimer(TTimer& timer) override;

    HWND Window() const { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Win32MessageLoop& loop_;
    HWND window_ = nullptr;
    UINT_PTR nextId_ = 1;
    std::map<TTimer*, UINT_PTR> ids_;
    std::map<UINT_PTR, TTimer*> timers_;
};

} // namespace tvm
