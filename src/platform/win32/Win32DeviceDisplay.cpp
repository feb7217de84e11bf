#include "platform/win32/Win32DeviceDisplay.h"

#include "platform/win32/Win32DisplayRecord.h"

#include "platform/win32/Win32Text.h"

#include <cstring>

namespace tvm {

static_assert(sizeof(DEVMODEW) <= DisplayMode::NativeSize,
              "the enumerated record must travel whole in DisplayMode::Native");

namespace {

struct MonitorSearch {
    const wchar_t* Device;
    HMONITOR Found;
};

BOOL CALLBACK MatchMonitor(HMONITOR monitor, HDC, RECT*, LPARAM data) {
    auto& search = *reinterpret_cast<MonitorSearch*>(data);
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info) &&
        CompareStringOrdinal(info.szDevice, -1, search.Device, -1, TRUE) == CSTR_EQUAL) {
        search.Found = monitor;
        return FALSE;
    }
    return TRUE;
}

} // namespace

Win32DeviceDisplay::Win32DeviceDisplay(Win32MessageLoop& loop, const std::string& deviceName)
    : loop_(loop), device_(Widen(deviceName)) {
    RECT rect;
    MonitorRect(rect);
}

DEVMODEW Win32DeviceDisplay::ToDevMode(const DisplayMode& mode) {
    return DevModeOf<DEVMODEW>(mode);
}

DisplayMode Win32DeviceDisplay::FromDevMode(const DEVMODEW& devMode) {
    return DisplayModeOf(devMode);
}

bool Win32DeviceDisplay::IsThisDisplay(const wchar_t* deviceName) const {
    return CompareStringOrdinal(deviceName, -1, device_.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool Win32DeviceDisplay::MonitorRect(RECT& rect) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    // The poll's path: the monitor found before still is this display's.
    if (monitor_ != nullptr && GetMonitorInfoW(monitor_, &info) && IsThisDisplay(info.szDevice)) {
        rect = info.rcMonitor;
        return true;
    }
    // The system numbers its monitors afresh when the desktop's layout changes, so the
    // handle may now be another display's, or nobody's. Searching costs an enumeration,
    // which a display that stays away must not cost every poll: it is searched for again
    // only once the number of monitors has changed.
    const int monitors = GetSystemMetrics(SM_CMONITORS);
    if (monitor_ == nullptr && monitors == monitorsWhenMissed_) {
        return false;
    }
    MonitorSearch search{device_.c_str(), nullptr};
    EnumDisplayMonitors(nullptr, nullptr, MatchMonitor, reinterpret_cast<LPARAM>(&search));
    monitor_ = search.Found;
    if (monitor_ == nullptr || !GetMonitorInfoW(monitor_, &info)) {
        monitor_ = nullptr;
        monitorsWhenMissed_ = monitors;
        dc_.reset();
        return false;
    }
    // Found anew, perhaps back from an absence: a drawing context of the display as it is.
    dc_ = DeviceDc(CreateDCW(L"DISPLAY", device_.c_str(), nullptr, nullptr));
    rect = info.rcMonitor;
    return true;
}

bool Win32DeviceDisplay::EnumerateMode(std::uint32_t index, DisplayMode& mode) {
    RECT rect;
    if (!MonitorRect(rect)) {
        return false;
    }
    // As in Win32Display: the caller's record is the buffer of the call.
    DEVMODEW devMode;
    std::memcpy(&devMode, mode.Native.data(), sizeof devMode);
    devMode.dmSize = sizeof(DEVMODEW);
    devMode.dmDriverExtra = 0;
    if (!EnumDisplaySettingsExW(device_.c_str(), index, &devMode, 0)) {
        return false;
    }
    StoreDisplayRecord(devMode, mode);
    return true;
}

std::uint32_t Win32DeviceDisplay::CurrentRefresh() {
    return dc_ ? static_cast<std::uint32_t>(GetDeviceCaps(dc_.get(), VREFRESH)) : 0;
}

std::uint32_t Win32DeviceDisplay::CurrentDepth() {
    return dc_ ? static_cast<std::uint32_t>(GetDeviceCaps(dc_.get(), BITSPIXEL) *
                                            GetDeviceCaps(dc_.get(), PLANES))
               : 0;
}

std::uint32_t Win32DeviceDisplay::CurrentWidth() {
    RECT rect;
    return MonitorRect(rect) ? static_cast<std::uint32_t>(rect.right - rect.left) : 0;
}

std::uint32_t Win32DeviceDisplay::CurrentHeight() {
    RECT rect;
    return MonitorRect(rect) ? static_cast<std::uint32_t>(rect.bottom - rect.top) : 0;
}

std::int32_t Win32DeviceDisplay::ChangeMode(const DisplayMode& mode, std::uint32_t flags) {
    RECT rect;
    if (!MonitorRect(rect)) {
        return DispChangeFailed;
    }
    DEVMODEW devMode = ToDevMode(mode);
    const LONG result =
        ChangeDisplaySettingsExW(device_.c_str(), &devMode, nullptr, flags, nullptr);
    // The WM_DISPLAYCHANGE this sends reaches the primary's listener on this thread.
    loop_.RaisePending();
    return static_cast<std::int32_t>(result);
}

} // namespace tvm
