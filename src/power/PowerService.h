#pragma once

#include <cstdint>

namespace tvm {

// The system's screen saver and monitor power signalling.
class PowerService {
public:
    virtual ~PowerService() = default;
    static constexpr std::uint32_t ScScreenSave = 61760;   // SC_SCREENSAVE
    static constexpr std::uint32_t ScMonitorPower = 61808; // SC_MONITORPOWER
    // Sends WM_SYSCOMMAND (274) to the application window and waits for it.
    virtual void SendSysCommand(std::uint32_t command, std::intptr_t lParam) = 0;
    // SPI_SETSCREENSAVEACTIVE, without saving it to the user profile.
    virtual void SetScreenSaverActive(bool active) = 0;
};

} // namespace tvm
