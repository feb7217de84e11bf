#include "platform/win32/Win32Timers.h"

#include <vector>

namespace tvm {

Win32Timers::~Win32Timers() {
    Detach();
}

bool Win32Timers::StartTimer(TTimer& timer, std::uint32_t intervalMs) {
    StopTimer(timer);
    const UINT_PTR id = nextId_++;
    if (window_ != nullptr && SetTimer(window_, id, intervalMs, nullptr) == 0) {
        return false;
    }
    started_[&timer] = Started{id, intervalMs};
    timers_[id] = &timer;
    return true;
}

void Win32Timers::StopTimer(TTimer& timer) {
    const auto found = started_.find(&timer);
    if (found == started_.end()) {
        return;
    }
    if (window_ != nullptr) {
        KillTimer(window_, found->second.Id);
    }
    timers_.erase(found->second.Id);
    started_.erase(found);
}

void Win32Timers::Attach(HWND window) {
    Detach();
    window_ = window;
    std::vector<TTimer*> refused;
    for (const auto& [timer, started] : started_) {
        if (SetTimer(window_, started.Id, started.IntervalMs, nullptr) == 0) {
            refused.push_back(timer);
        }
    }
    // Nobody is left to tell: such a timer counts as enabled and never fires, as one
    // refused at its start would after its error.
    for (TTimer* timer : refused) {
        timers_.erase(started_[timer].Id);
        started_.erase(timer);
    }
}

void Win32Timers::Detach() {
    if (window_ == nullptr) {
        return;
    }
    for (const auto& [timer, started] : started_) {
        KillTimer(window_, started.Id);
    }
    window_ = nullptr;
}

bool Win32Timers::Tick(UINT_PTR id) {
    const auto found = timers_.find(id);
    if (found == timers_.end()) {
        return false;
    }
    found->second->Tick();
    return true;
}

} // namespace tvm
