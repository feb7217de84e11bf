#pragma once

#include "display/DisplayService.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32MessageLoop.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace tvm {

// A display other than the primary, named by its GDI device name ("\\.\DISPLAY2"): its
// mode list and mode changes through the wide display-settings calls with that name, its
// size from its monitor's rectangle, its depth and rate from a drawing context of its own.
//
// It never notifies a listener of its own: Windows sends WM_DISPLAYCHANGE for a change on
// any display, and that reaches the primary display's service (Win32Display). An error the
// primary's listener raises inside a change made here comes out of ChangeMode, as it does
// out of the primary's.
//
// The display may leave the desktop (unplugged, or detached in the system's settings) and
// come back while this object lives. While it is away it lists no modes, measures 0 by 0
// at depth and rate 0, and a change fails without reaching the system: a mode set on a
// detached display attaches it again, which is the user's choice to make, not ours.
class Win32DeviceDisplay final : public DisplayService {
public:
    Win32DeviceDisplay(Win32MessageLoop& loop, const std::string& deviceName);

    Win32DeviceDisplay(const Win32DeviceDisplay&) = delete;
    Win32DeviceDisplay& operator=(const Win32DeviceDisplay&) = delete;

    bool EnumerateMode(std::uint32_t index, DisplayMode& mode) override;
    // Depth and rate come from the display's drawing context, made when the display was
    // last found on the desktop; the size reads find out whether it still is.
    std::uint32_t CurrentRefresh() override;
    std::uint32_t CurrentDepth() override;
    std::uint32_t CurrentWidth() override;
    std::uint32_t CurrentHeight() override;
    std::int32_t ChangeMode(const DisplayMode& mode, std::uint32_t flags) override;

    // The record ChangeMode hands to the system for `mode`: the enumerated record with the
    // four named fields written over it.
    static DEVMODEW ToDevMode(const DisplayMode& mode);
    static DisplayMode FromDevMode(const DEVMODEW& devMode);

private:
    // The display's rectangle on the desktop; false while it is not on the desktop.
    bool MonitorRect(RECT& rect);
    bool IsThisDisplay(const wchar_t* deviceName) const;

    Win32MessageLoop& loop_;
    std::wstring device_;
    DeviceDc dc_;
    HMONITOR monitor_ = nullptr;
    // The number of monitors when the display was last looked for in vain; -1 before.
    int monitorsWhenMissed_ = -1;
};

} // namespace tvm
