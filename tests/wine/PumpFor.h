#pragma once

#include "platform/win32/Win32MessageLoop.h"

#include <windows.h>

namespace tvm {

// Handles messages as they come for `ms` milliseconds: for what only real time brings
// (a system timer's tick, the window manager's answer).
inline void PumpFor(Win32MessageLoop& loop, DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        loop.PumpPending();
        const ULONGLONG now = GetTickCount64();
        if (now >= end) {
            return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
}

} // namespace tvm
