#include "RunSwitchMode.h"

#include <gtest/gtest.h>

namespace tvm::test {

DWORD RunSwitchModeWhilePumping(const std::string& arguments) {
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self, length);
    path = path.substr(0, path.find_last_of("\\/") + 1) + "SwitchMode.exe";
    std::string commandLine = "\"" + path + "\" " + arguments;

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start " << path << " (error " << GetLastError() << ")";
        return ~DWORD{0};
    }
    CloseHandle(process.hThread);
    for (;;) {
        const DWORD woke =
            MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 30000, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0) {
            break;
        }
        if (woke != WAIT_OBJECT_0 + 1) {
            ADD_FAILURE() << "SwitchMode.exe did not finish";
            TerminateProcess(process.hProcess, 1);
            break;
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    return exitCode;
}

} // namespace tvm::test
