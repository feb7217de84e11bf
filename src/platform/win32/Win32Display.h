#pragma once

#include "display/DisplayService.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32MessageLoop.h"

#include <windows.h>

#include <cstdint>

namespace tvm {

// The display as Windows drives it: the primary display's mode list and mode changes
// through the ANSI display-settings calls, the current mode through GDI and the system
// metrics. WM_DISPLAYCHANGE arrives at the shell window, which hands it to
// DisplayChanged.
//
// Change notifications reach the listener on the shell window's thread: a change this
// thread makes is announced inside ChangeMode, one made by another program when this
// thread next pumps its messages. The shell window's procedure hands an error the
// listener raises to the loop's Guard; inside ChangeMode it comes out of ChangeMode,
// from the message loop out of the loop.
class Win32Display final : public DisplayService {
public:
    explicit Win32Display(Win32MessageLoop& loop);

    Win32Display(const Win32Display&) = delete;
    Win32Display& operator=(const Win32Display&) = delete;

    bool EnumerateMode(std::uint32_t index, DisplayMode& mode) override;
    std::uint32_t CurrentRefresh() override;
    std::uint32_t CurrentDepth() override;
    std::uint32_t CurrentWidth() override;
    std::uint32_t CurrentHeight() override;
    std::int32_t ChangeMode(const DisplayMode& mode, std::uint32_t flags) override;

    // The shell window heard WM_DISPLAYCHANGE.
    void DisplayChanged() { NotifyChange(); }

    // The record ChangeMode hands to the system for `mode`: the enumerated record with
    // the four named fields written over it.
    static DEVMODEA ToDevMode(const DisplayMode& mode);
    // The DisplayMode for a record the system filled.
    static DisplayMode FromDevMode(const DEVMODEA& devMode);

private:
    Win32MessageLoop& loop_;
    WindowDc screenDc_;
};

} // namespace tvm
