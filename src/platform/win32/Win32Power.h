#pragma once

#include "power/PowerService.h"

#include <windows.h>

namespace tvm {

// Screen saver and monitor power through the application window's system commands.
class Win32Power : public PowerService {
public:
    // `applicationWindow` receives every WM_SYSCOMMAND of the monitor features.
    explicit Win32Power(HWND applicationWindow) : window_(applicationWindow) {}
    void SendSysCommand(std::uint32_t command, std::intptr_t lParam) override;
    void SetScreenSaverActive(bool active) override;

private:
    HWND window_;
};

} // namespace tvm
