#include "platform/win32/Win32SingleInstance.h"

namespace tvm {

bool Win32SingleInstance::AnotherCopyRunning() {
    mutex_ = CreateMutexA(nullptr, FALSE, MutexName);
    return GetLastError() == ERROR_ALREADY_EXISTS;
}

void Win32SingleInstance::AskRunningCopyToShow() {
    const UINT message = RegisterWindowMessageA(ShowMainMessageName);
    if (message != 0) {
        SendMessageA(HWND_BROADCAST, message, 0, 0);
    }
}

} // namespace tvm
