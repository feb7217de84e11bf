#include "platform/win32/Win32DisplaySet.h"

#include "platform/win32/Win32Text.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <utility>

namespace tvm {

namespace {

using NamePairs = std::vector<std::pair<std::wstring, std::wstring>>;

bool SameDeviceName(const wchar_t* a, const wchar_t* b) {
    return CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL;
}

std::wstring Upper(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
    return text;
}

// The number the system's settings show for "\\.\DISPLAY12": its trailing digits.
int NumberOf(const std::wstring& deviceName) {
    const auto digits = deviceName.find_last_not_of(L"0123456789") + 1;
    int number = 0;
    for (auto i = digits; i < deviceName.size() && number < 100000; ++i) {
        number = number * 10 + (deviceName[i] - L'0');
    }
    return number;
}

// The monitor that shows the adapter's picture, as its device interface path names it;
// an adapter showing on several (a clone) names the first active one. False when the
// system lists none.
bool MonitorOf(const wchar_t* adapter, DISPLAY_DEVICEW& monitor) {
    bool found = false;
    for (DWORD index = 0;; ++index) {
        DISPLAY_DEVICEW candidate{};
        candidate.cb = sizeof candidate;
        if (!EnumDisplayDevicesW(adapter, index, &candidate, EDD_GET_DEVICE_INTERFACE_NAME)) {
            return found;
        }
        if (!found || (candidate.StateFlags & DISPLAY_DEVICE_ACTIVE) != 0) {
            monitor = candidate;
            found = true;
        }
        if ((candidate.StateFlags & DISPLAY_DEVICE_ACTIVE) != 0) {
            return true;
        }
    }
}

// GDI device name -> the name of the monitor it shows on, for every active path of the
// display configuration whose target has a name. Empty where the system keeps no
// configuration to ask.
NamePairs MonitorNames() {
    std::vector<DISPLAYCONFIG_PATH_INFO> paths;
    std::vector<DISPLAYCONFIG_MODE_INFO> modes;
    LONG result = ERROR_INSUFFICIENT_BUFFER;
    // The layout may change between sizing the arrays and filling them.
    for (int attempt = 0; attempt < 3 && result == ERROR_INSUFFICIENT_BUFFER; ++attempt) {
        UINT32 pathCount = 0;
        UINT32 modeCount = 0;
        if (GetDisplayConfigBufferSizes(QDC_ONLY_ACTIVE_PATHS, &pathCount, &modeCount) !=
            ERROR_SUCCESS) {
            return {};
        }
        paths.resize(pathCount);
        modes.resize(modeCount);
        result = QueryDisplayConfig(QDC_ONLY_ACTIVE_PATHS, &pathCount, paths.data(), &modeCount,
                                    modes.data(), nullptr);
        paths.resize(pathCount);
    }
    if (result != ERROR_SUCCESS) {
        return {};
    }
    NamePairs names;
    for (const DISPLAYCONFIG_PATH_INFO& path : paths) {
        DISPLAYCONFIG_SOURCE_DEVICE_NAME source{};
        source.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_SOURCE_NAME;
        source.header.size = sizeof source;
        source.header.adapterId = path.sourceInfo.adapterId;
        source.header.id = path.sourceInfo.id;
        DISPLAYCONFIG_TARGET_DEVICE_NAME target{};
        target.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_TARGET_NAME;
        target.header.size = sizeof target;
        target.header.adapterId = path.targetInfo.adapterId;
        target.header.id = path.targetInfo.id;
        if (DisplayConfigGetDeviceInfo(&source.header) == ERROR_SUCCESS &&
            DisplayConfigGetDeviceInfo(&target.header) == ERROR_SUCCESS &&
            target.monitorFriendlyDeviceName[0] != L'\0') {
            names.emplace_back(source.viewGdiDeviceName, target.monitorFriendlyDeviceName);
        }
    }
    return names;
}

std::wstring PrimaryDeviceName() {
    for (DWORD index = 0;; ++index) {
        DISPLAY_DEVICEW adapter{};
        adapter.cb = sizeof adapter;
        if (!EnumDisplayDevicesW(nullptr, index, &adapter, 0)) {
            return {};
        }
        if ((adapter.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) != 0) {
            return adapter.DeviceName;
        }
    }
}

} // namespace

Win32DisplaySet::Win32DisplaySet(Win32MessageLoop& loop, Win32Display& primary)
    : loop_(loop), primary_(primary) {}

std::vector<DisplayInfo> Win32DisplaySet::Attached() {
    const NamePairs monitorNames = MonitorNames();
    std::vector<DisplayInfo> displays;
    for (DWORD index = 0;; ++index) {
        DISPLAY_DEVICEW adapter{};
        adapter.cb = sizeof adapter;
        if (!EnumDisplayDevicesW(nullptr, index, &adapter, 0)) {
            break;
        }
        if ((adapter.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) == 0) {
            continue;
        }
        DisplayInfo display;
        display.DeviceName = Narrow(adapter.DeviceName);
        display.Number = NumberOf(adapter.DeviceName);
        display.Primary = (adapter.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) != 0;

        DISPLAY_DEVICEW monitor{};
        const bool hasMonitor = MonitorOf(adapter.DeviceName, monitor);
        if (hasMonitor) {
            display.MonitorId = Narrow(monitor.DeviceID);
        }
        const auto named =
            std::find_if(monitorNames.begin(), monitorNames.end(), [&](const auto& pair) {
                return SameDeviceName(pair.first.c_str(), adapter.DeviceName);
            });
        if (named != monitorNames.end()) {
            display.FriendlyName = Narrow(named->second);
        } else if (hasMonitor && monitor.DeviceString[0] != L'\0') {
            display.FriendlyName = Narrow(monitor.DeviceString);
        } else {
            display.FriendlyName = Narrow(adapter.DeviceString);
        }
        displays.push_back(std::move(display));
    }
    return displays;
}

DisplayService& Win32DisplaySet::Display(const std::string& deviceName) {
    const std::wstring name = Widen(deviceName);
    if (!name.empty() && SameDeviceName(name.c_str(), PrimaryDeviceName().c_str())) {
        return primary_;
    }
    std::unique_ptr<Win32DeviceDisplay>& service = others_[Upper(name)];
    if (!service) {
        service = std::make_unique<Win32DeviceDisplay>(loop_, deviceName);
    }
    return *service;
}

} // namespace tvm
