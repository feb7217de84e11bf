#pragma once

#include "display/DisplaySet.h"
#include "platform/win32/Win32DeviceDisplay.h"
#include "platform/win32/Win32Display.h"
#include "platform/win32/Win32MessageLoop.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tvm {

// The displays attached to the desktop as Windows lists them: the display adapters
// (EnumDisplayDevicesW), the monitor on each with its device interface path, and the
// monitor's name from the display configuration (QueryDisplayConfig), where the system
// keeps one.
//
// The primary display is served by the program's Win32Display, exactly as when it drove
// that display alone; every other display by a Win32DeviceDisplay of its own, made when it
// is first asked for and kept for the set's life, so that a display that goes and comes
// back under the same name is served by the same object.
class Win32DisplaySet final : public DisplaySet {
public:
    Win32DisplaySet(Win32MessageLoop& loop, Win32Display& primary);

    Win32DisplaySet(const Win32DisplaySet&) = delete;
    Win32DisplaySet& operator=(const Win32DisplaySet&) = delete;

    std::vector<DisplayInfo> Attached() override;
    // The primary's service when `deviceName` names the display that is primary now,
    // else that display's own. A service handed out earlier goes on driving what it drove
    // when another display becomes primary.
    DisplayService& Display(const std::string& deviceName) override;
    DisplayService& Primary() override { return primary_; }

private:
    Win32MessageLoop& loop_;
    Win32Display& primary_;
    // By the device name in upper case: the system's names ignore case.
    std::map<std::wstring, std::unique_ptr<Win32DeviceDisplay>> others_;
};

} // namespace tvm
