#include "platform/win32/Win32System.h"

#include <windows.h>

namespace tvm {

static_assert(SystemService::SwShowNormal == SW_SHOWNORMAL && SystemService::SwShow == SW_SHOW,
              "the portable show commands are Windows' own");

void Win32System::TrimWorkingSet() {
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

void Win32System::WinExec(const std::string& commandLine, int show) {
    ::WinExec(commandLine.c_str(), static_cast<UINT>(show));
}

void Win32System::Sleep(std::uint32_t ms) {
    ::Sleep(ms);
}

PowerSource Win32System::ReadPowerSource() {
    SYSTEM_POWER_STATUS status{};
    if (!GetSystemPowerStatus(&status)) {
        return {};
    }
    constexpr BYTE kAcOffline = 0;
    constexpr BYTE kNoSystemBattery = 128;
    return {status.ACLineStatus == kAcOffline, status.BatteryFlag != kNoSystemBattery};
}

} // namespace tvm
