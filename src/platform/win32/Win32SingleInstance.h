#pragma once

#include "app/AppServices.h"

#include <windows.h>

namespace tvm {

// One copy per session: a named mutex, and a broadcast of a registered message that
// the running copy answers by showing its main window.
class Win32SingleInstance : public SingleInstance {
public:
    static constexpr const char* MutexName = "Tavelmorind";
    static constexpr const char* ShowMainMessageName = "Tavelmorind_ShowMain";
    // How long the broadcast waits for each window that does not answer.
    static constexpr UINT BroadcastTimeoutMs = 2000;

    bool AnotherCopyRunning() override;
    void AskRunningCopyToShow() override;

private:
    // Held until the process ends; never closed, so the name stays claimed.
    HANDLE mutex_ = nullptr;
};

} // namespace tvm
