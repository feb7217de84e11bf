#include "platform/win32/Win32SingleInstance.h"

namespace tvm {

bool Win32SingleInstance::AnotherCopyRunning() {
    mutex_ = CreateMutexA(nullptr, FALSE, MutexName);
    return GetLastError() == ERROR_ALREADY_EXISTS;
}

void Win32SingleInstance::AskRunningCopyToShow() {
    // Windows lets only the process that received the last input take the foreground:
    // that is this copy, which the user just started, so it hands the right on.
    AllowSetForegroundWindow(ASFW_ANY);
    const UINT message = RegisterWindowMessageA(ShowMainMessageName);
    if (message != 0) {
        // Synchronous for every window that answers; one hung window of any program
        // must not hang this start.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, BroadcastTimeoutMs,
                            &ignored);
    }
}

} // namespace tvm
