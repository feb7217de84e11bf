#pragma once

#include <cstdint>
#include <string>

namespace tvm {

// Where the PC takes its power from (GetSystemPowerStatus).
struct PowerSource {
    // On its battery: the mains are off. Unknown counts as on the mains.
    bool OnBattery = false;
    // A PC without a system battery never runs on one.
    bool HasBattery = true;
};

// Process-wide odds and ends of the platform.
class SystemService {
public:
    virtual ~SystemService() = default;
    // Asks the system to trim the working set (both sizes -1).
    virtual void TrimWorkingSet() = 0;
    static constexpr int SwShowNormal = 1; // SW_SHOWNORMAL
    static constexpr int SwShow = 5;       // SW_SHOW
    // Starts a command line without waiting for it; `show` is the SW_ value.
    virtual void WinExec(const std::string& commandLine, int show) = 0;
    // A blocking wait of the user-interface thread.
    virtual void Sleep(std::uint32_t ms) = 0;
    virtual PowerSource ReadPowerSource() = 0;
};

} // namespace tvm
