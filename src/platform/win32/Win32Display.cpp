#include "platform/win32/Win32Display.h"

#include "platform/win32/Win32DisplayRecord.h"

#include "platform/win32/Win32Handles.h"

#include <cstring>

namespace tvm {

static_assert(sizeof(DEVMODEA) <= DisplayMode::NativeSize,
              "the enumerated record must travel whole in DisplayMode::Native");
// The portable flags and result codes are the system's own, passed through unchanged.
static_assert(ChangeDynamic == 0 && ChangeUpdateRegistry == CDS_UPDATEREGISTRY &&
              ChangeFullscreen == CDS_FULLSCREEN);
static_assert(DispChangeSuccessful == DISP_CHANGE_SUCCESSFUL &&
              DispChangeRestart == DISP_CHANGE_RESTART && DispChangeFailed == DISP_CHANGE_FAILED &&
              DispChangeBadMode == DISP_CHANGE_BADMODE &&
              DispChangeNotUpdated == DISP_CHANGE_NOTUPDATED &&
              DispChangeBadFlags == DISP_CHANGE_BADFLAGS &&
              DispChangeBadParam == DISP_CHANGE_BADPARAM);

Win32Display::Win32Display(Win32MessageLoop& loop) : loop_(loop) {
    // The enforcement poll reads the current mode every millisecond; one DC for the
    // object's life spares it a GetDC/ReleaseDC pair per read.
    screenDc_ = WindowDc(nullptr);
    if (!screenDc_) {
        ThrowLastError("GetDC");
    }
}

DEVMODEA Win32Display::ToDevMode(const DisplayMode& mode) {
    return DevModeOf<DEVMODEA>(mode);
}

DisplayMode Win32Display::FromDevMode(const DEVMODEA& devMode) {
    return DisplayModeOf(devMode);
}

bool Win32Display::EnumerateMode(std::uint32_t index, DisplayMode& mode) {
    // The caller's record is the buffer, as one DEVMODE reused across the enumeration
    // would be: only the size and the driver-extra count are set before each call, and
    // whatever the driver leaves alone keeps the value it had.
    DEVMODEA devMode;
    std::memcpy(&devMode, mode.Native.data(), sizeof devMode);
    devMode.dmSize = sizeof(DEVMODEA);
    devMode.dmDriverExtra = 0;
    if (!EnumDisplaySettingsA(nullptr, index, &devMode)) {
        return false;
    }
    StoreDisplayRecord(devMode, mode);
    return true;
}

std::uint32_t Win32Display::CurrentRefresh() {
    return static_cast<std::uint32_t>(GetDeviceCaps(screenDc_.get(), VREFRESH));
}

std::uint32_t Win32Display::CurrentDepth() {
    return static_cast<std::uint32_t>(GetDeviceCaps(screenDc_.get(), BITSPIXEL) *
                                      GetDeviceCaps(screenDc_.get(), PLANES));
}

std::uint32_t Win32Display::CurrentWidth() {
    return static_cast<std::uint32_t>(GetSystemMetrics(SM_CXSCREEN));
}

std::uint32_t Win32Display::CurrentHeight() {
    return static_cast<std::uint32_t>(GetSystemMetrics(SM_CYSCREEN));
}

std::int32_t Win32Display::ChangeMode(const DisplayMode& mode, std::uint32_t flags) {
    DEVMODEA devMode = ToDevMode(mode);
    const LONG result = ChangeDisplaySettingsA(&devMode, flags);
    // A listener that raised inside the nested WM_DISPLAYCHANGE raises here, once the
    // system's frames are off the stack.
    loop_.RaisePending();
    return static_cast<std::int32_t>(result);
}

} // namespace tvm
