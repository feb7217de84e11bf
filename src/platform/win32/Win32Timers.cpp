#include "platform/win32/Win32Timers.h"

#include <stdexcept>

namespace tvm {

namespace {
constexpr const char* TimerClassName = "TavelmorindTimers";
}

Win32Timers::Win32Timers(Win32MessageLoop& loop) : loop_(loop) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Win32Timers::WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = TimerClassName;
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw std::runtime_error("cannot register the timer window class");
    }
    // A message-only window: WM_TIMER is posted to it, nothing needs to see it.
    window_ = CreateWindowExA(0, TimerClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (window_ == nullptr) {
        throw std::runtime_error("cannot create the timer window");
    }
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32Timers::~Win32Timers() {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

bool Win32Timers::StartTimer(TTimer& timer, std::uint32_t intervalMs) {
    StopTimer(timer);
    const UINT_PTR id = nextId_++;
    if (SetTimer(window_, id, intervalMs, nullptr) == 0) {
        return false;
    }
    ids_[&timer] = id;
    timers_[id] = &timer;
    return true;
}

void Win32Timers::StopTimer(TTimer& timer) {
    const auto found = ids_.find(&timer);
    if (found == ids_.end()) {
        return;
    }
    KillTimer(window_, found->second);
    timers_.erase(found->second);
    ids_.erase(found);
}

LRESULT CALLBACK Win32Timers::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32Timers*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_TIMER && self != nullptr) {
        const auto found = self->timers_.find(static_cast<UINT_PTR>(wParam));
        if (found != self->timers_.end()) {
            TTimer& timer = *found->second;
            self->loop_.Guard([&] { timer.Tick(); });
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace tvm
