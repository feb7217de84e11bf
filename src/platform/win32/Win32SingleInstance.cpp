#include "platform/win32/Win32SingleInstance.h"

namespace tvm {

Win32SingleInstance::~Win32SingleInstance() {
    // Without Release the name goes as a process's does when it dies: abandoned.
    if (mutex_ != nullptr) {
        CloseHandle(mutex_);
    }
}

bool Win32SingleInstance::AnotherCopyRunning() {
    // Owned while this copy runs: an ending copy hands it on (Release) and one that died
    // leaves it abandoned, so that a start which finds it can wait for either.
    mutex_ = CreateMutexA(nullptr, TRUE, MutexName);
    return GetLastError() == ERROR_ALREADY_EXISTS;
}

bool Win32SingleInstance::AskRunningCopyToShow() {
    // Windows lets only the process that received the last input take the foreground:
    // that is this copy, which the user just started, so it hands the right on.
    AllowSetForegroundWindow(ASFW_ANY);
    const HANDLE shown = CreateEventA(nullptr, FALSE, FALSE, ShownEventName);
    const UINT message = RegisterWindowMessageA(ShowMainMessageName);
    if (message != 0) {
        // Synchronous for every window that answers; one hung window of any program
        // must not hang this start.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, BroadcastTimeoutMs,
                            &ignored);
    }
    // A copy that is ending shows nothing and lets go of the name once its message loop
    // has ended; under Wine, its windows take seconds to go after that.
    bool answered = true;
    if (mutex_ != nullptr) {
        const HANDLE handles[] = {mutex_, shown};
        const DWORD waited =
            WaitForMultipleObjects(shown != nullptr ? 2 : 1, handles, FALSE, EndingCopyWaitMs);
        answered = waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED_0;
    }
    if (shown != nullptr) {
        CloseHandle(shown);
    }
    return answered;
}

void Win32SingleInstance::Release() {
    if (mutex_ != nullptr) {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
        mutex_ = nullptr;
    }
}

void Win32SingleInstance::AcknowledgeShown() {
    if (const HANDLE shown = OpenEventA(EVENT_MODIFY_STATE, FALSE, ShownEventName)) {
        SetEvent(shown);
        CloseHandle(shown);
    }
}

} // namespace tvm
