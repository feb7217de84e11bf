#pragma once

#include "display/DisplayService.h"
#include "platform/win32/Win32Handles.h"

#include <windows.h>

#include <cstdint>
#include <exception>

namespace tvm {

// The display as Windows drives it: the primary display's mode list and mode changes
// through the ANSI display-settings calls, the current mode through GDI and the system
// metrics, and WM_DISPLAYCHANGE through a hidden top-level window.
//
// Change notifications reach the listener on the thread that created the object: a
// change this thread makes is announced inside ChangeMode, one made by another program
// when this thread next pumps its messages. An error the listener raises inside
// ChangeMode comes out of ChangeMode; from the message loop it must not escape the
// listener (it would have to cross the system's frames), and ends the program if it does.
class Win32Display final : public DisplayService {
public:
    Win32Display();
    ~Win32Display() override;

    Win32Display(const Win32Display&) = delete;
    Win32Display& operator=(const Win32Display&) = delete;

    bool EnumerateMode(std::uint32_t index, DisplayMode& mode) override;
    std::uint32_t CurrentRefresh() override;
    std::uint32_t CurrentDepth() override;
    std::uint32_t CurrentWidth() override;
    std::uint32_t CurrentHeight() override;
    std::int32_t ChangeMode(const DisplayMode& mode, std::uint32_t flags) override;

    // The window that hears WM_DISPLAYCHANGE.
    HWND ListenerWindow() const { return window_; }

    // The record ChangeMode hands to the system for `mode`: the enumerated record with
    // the four named fields written over it.
    static DEVMODEA ToDevMode(const DisplayMode& mode);
    // The DisplayMode for a record the system filled.
    static DisplayMode FromDevMode(const DEVMODEA& devMode);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WindowDc screenDc_;
    HWND window_ = nullptr;
    // How many ChangeMode calls are on the stack, and what a listener raised inside one.
    int changeDepth_ = 0;
    std::exception_ptr pendingError_;
};

} // namespace tvm
