#include "platform/win32/Win32Power.h"

namespace tvm {

static_assert(PowerService::ScScreenSave == SC_SCREENSAVE &&
              PowerService::ScMonitorPower == SC_MONITORPOWER);

void Win32Power::SendSysCommand(std::uint32_t command, std::intptr_t lParam) {
    SendMessageA(window_, WM_SYSCOMMAND, command, static_cast<LPARAM>(lParam));
}

void Win32Power::SetScreenSaverActive(bool active) {
    // No SPIF_UPDATEINIFILE: the user's own setting in the profile stays as it was.
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, active ? TRUE : FALSE, nullptr, 0);
}

} // namespace tvm
