#include "platform/win32/Win32MessageLoop.h"

#include <algorithm>

namespace tvm {

void Win32MessageLoop::Run(TApplication& app) {
    const DWORD thread = GetCurrentThreadId();
    // A thread message suffices: GetMessage returns for it, and DispatchMessage has no
    // window to hand it to.
    app.SetLoopWaker([thread] { PostThreadMessageA(thread, WM_NULL, 0, 0); });
    struct Unhook {
        TApplication& App;
        ~Unhook() { App.SetLoopWaker(nullptr); }
    } unhook{app};

    RaisePending();
    MSG message;
    while (!app.Terminated()) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            break;
        }
        Handle(message);
    }
}

void Win32MessageLoop::PumpPending() {
    RaisePending();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Handle(message);
    }
}

void Win32MessageLoop::AddDialogWindow(HWND window) {
    if (std::find(dialogWindows_.begin(), dialogWindows_.end(), window) == dialogWindows_.end()) {
        dialogWindows_.push_back(window);
    }
}

void Win32MessageLoop::RemoveDialogWindow(HWND window) {
    dialogWindows_.erase(std::remove(dialogWindows_.begin(), dialogWindows_.end(), window),
                         dialogWindows_.end());
}

void Win32MessageLoop::Handle(MSG& message) {
    // Only keyboard messages concern IsDialogMessage; the others, the enforcement
    // poll's thousand timer messages a second among them, skip the window lookup.
    const bool keyboard = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
    if (keyboard && message.hwnd != nullptr) {
        const HWND root = GetAncestor(message.hwnd, GA_ROOT);
        if (std::find(dialogWindows_.begin(), dialogWindows_.end(), root) != dialogWindows_.end() &&
            IsDialogMessageA(root, &message)) {
            RaisePending();
            return;
        }
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    RaisePending();
}

void Win32MessageLoop::RaisePending() {
    if (pending_) {
        std::exception_ptr error = std::move(pending_);
        pending_ = nullptr;
        std::rethrow_exception(error);
    }
}

} // namespace tvm
