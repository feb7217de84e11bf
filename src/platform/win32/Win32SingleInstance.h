#pragma once

#include "shell/SingleInstance.h"

#include <windows.h>

namespace tvm {

// One copy per session: a named mutex, and a broadcast of a registered message that
// the running copy answers by showing its main window.
class Win32SingleInstance : public SingleInstance {
public:
    static constexpr const char* MutexName = "Tavelmorind";
    static constexpr const char* ShowMainMessageName = "Tavelmorind_ShowMain";
    // Set by the running copy once its main window shows for a second start.
    static constexpr const char* ShownEventName = "Tavelmorind_MainShown";
    // How long the broadcast waits for each window that does not answer.
    static constexpr UINT BroadcastTimeoutMs = 2000;
    // How long a second start that got no answer waits for an ending copy's name.
    static constexpr DWORD EndingCopyWaitMs = 5000;

    Win32SingleInstance() = default;
    ~Win32SingleInstance() override;
    Win32SingleInstance(const Win32SingleInstance&) = delete;
    Win32SingleInstance& operator=(const Win32SingleInstance&) = delete;

    bool AnotherCopyRunning() override;
    bool AskRunningCopyToShow() override;
    void Release() override;

    // The running copy's side: its main window now shows for the second start.
    static void AcknowledgeShown();

private:
    // Owned from the start (or from the ending copy's release) until Release.
    HANDLE mutex_ = nullptr;
};

} // namespace tvm
