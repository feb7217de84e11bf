#pragma once

#include "display/DisplayService.h"

#include <string>
#include <vector>

namespace tvm {

// One display attached to the desktop, as the user tells it apart.
struct DisplayInfo {
    // The GDI device name ("\\.\DISPLAY1"), what the display calls take. It changes when
    // monitors are added or reordered.
    std::string DeviceName;
    // The monitor's identity across restarts, reboots and renumbering: its device
    // interface path (EnumDisplayDevicesW with EDD_GET_DEVICE_INTERFACE_NAME). Empty when
    // the system names none; the device name then stands in.
    std::string MonitorId;
    // The monitor's name as the system's display settings show it (the target's friendly
    // name), else the adapter's device string.
    std::string FriendlyName;
    // The number the system's display settings give it: the digits of the device name.
    int Number = 0;
    bool Primary = false;

    bool operator==(const DisplayInfo&) const = default;
};

// Every display attached to the desktop. The primary display's service is the one the
// program always had, and it carries the system's display-change notification
// (WM_DISPLAYCHANGE), which speaks for every display.
class DisplaySet {
public:
    virtual ~DisplaySet() = default;
    // The displays attached now, in the system's order (DISPLAY1, DISPLAY2, ...).
    virtual std::vector<DisplayInfo> Attached() = 0;
    // The service of the display named `deviceName`, valid for the set's life. A display
    // that went answers as one without modes whose changes fail.
    virtual DisplayService& Display(const std::string& deviceName) = 0;
    // The primary display's service.
    virtual DisplayService& Primary() = 0;
};

} // namespace tvm
