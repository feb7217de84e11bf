#pragma once

#include "platform/win32/Win32Display.h"
#include "platform/win32/Win32Timers.h"
#include "platform/win32/Win32Toolkit.h"
#include "platform/win32/Win32Tray.h"
#include "shell/ShellEvents.h"
#include "ui/widgets/Form.h"

#include <windows.h>

#include <cstdint>
#include <optional>

namespace tvm {

// The main form's window as the program's shell window: the system's messages to the
// program arrive there, and this table hands each to its handler. It is a real
// top-level window, so the broadcasts (WM_DISPLAYCHANGE, "TaskbarCreated", the show
// request of a second start, the power broadcasts) reach it, and it owns the tray icon,
// every timer of the program and its registrations for session, monitor and power
// source notifications.
//
// The handlers run inside the form's window procedure, which guards them; the messages
// for the main window go through the application's dispatch, as the user's acts do.
class Win32ShellWindow {
public:
    // Where the messages that are not the main window's go.
    struct Routes {
        Win32Timers& Timers;
        Win32Display& Display;
    };

    // `main` is realized; the timers live on its window from now on.
    Win32ShellWindow(Win32Toolkit& toolkit, TForm& main, ShellEvents& events, Routes routes,
                     Win32Tray::Icons trayIcons);
    ~Win32ShellWindow();
    Win32ShellWindow(const Win32ShellWindow&) = delete;
    Win32ShellWindow& operator=(const Win32ShellWindow&) = delete;

    HWND Window() const { return Win32Toolkit::Handle(main_); }
    Win32Tray& Tray() { return tray_; }

    // A message of the main form's window, before the form sees it: true (and the
    // result set) when the shell answered it.
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    // What a handler answers; empty lets the form have the message as well.
    using Answer = std::optional<LRESULT>;

    Answer Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    Answer OnDisplayChange();
    Answer OnTimer(UINT_PTR id);
    Answer OnTrayIcon(std::uint32_t mouseMessage);
    Answer OnTaskbarCreated();
    Answer OnShowMainRequest();
    Answer OnEndSession(bool ending);
    Answer OnPowerBroadcast(WPARAM event);
    Answer OnSessionChange(WPARAM event);
    Answer OnDeviceChange(WPARAM event, LPARAM data);
    void Deliver(SystemEvent event);

    void RegisterNotifications();
    void UnregisterNotifications();

    TForm& main_;
    ShellEvents& events_;
    Routes routes_;
    Win32Tray tray_;
    UINT taskbarCreatedMessage_ = 0;
    UINT showMainMessage_ = 0;
    // The form goes before this object: its window as it was when registered.
    HWND window_ = nullptr;
    bool sessionRegistered_ = false;
    HDEVNOTIFY monitorNotification_ = nullptr;
    HPOWERNOTIFY powerSourceNotification_ = nullptr;
};

} // namespace tvm
