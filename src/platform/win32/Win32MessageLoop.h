#pragma once

#include "ui/widgets/Application.h"

#include <windows.h>

#include <exception>
#include <vector>

namespace tvm {

// The user-interface thread's message loop. Every top-level window of ours gets its
// turn at IsDialogMessage, so Tab, Enter, Escape and access keys work in windows that
// are not dialogs.
//
// A window procedure must not let an exception run back into the system, which calls
// it. Every procedure of the platform layer hands what escapes a handler to Guard, and
// it is raised again at the first frame of ours above the system's: the loop's, once
// the message is done, or that of a call into the system that ran our procedures
// meanwhile (RaisePending after it).
class Win32MessageLoop {
public:
    Win32MessageLoop() = default;
    Win32MessageLoop(const Win32MessageLoop&) = delete;
    Win32MessageLoop& operator=(const Win32MessageLoop&) = delete;

    // Runs until the application is terminated (at once when it already is) or WM_QUIT
    // arrives.
    void Run(TApplication& app);
    // Handles every message already waiting, then returns.
    void PumpPending();

    // Windows whose keyboard messages go through IsDialogMessage first.
    void AddDialogWindow(HWND window);
    void RemoveDialogWindow(HWND window);

    template <class F> void Guard(F&& f) noexcept {
        try {
            f();
        } catch (...) {
            if (!pending_) {
                pending_ = std::current_exception();
            }
        }
    }
    // Raises what a guarded handler left, if anything; the first error wins.
    void RaisePending();

private:
    void Handle(MSG& message);

    std::vector<HWND> dialogWindows_;
    std::exception_ptr pending_;
};

} // namespace tvm
