#pragma once

#include <cstdint>

namespace tvm {

// The moments the system may change a display's rate without a display change anyone is
// told of.
enum class SystemEvent {
    // Back from sleep or hibernation.
    Resumed,
    // The session unlocked, or back at the console (a remote session that ended).
    SessionBack,
    // A monitor plugged in.
    MonitorArrived,
    // Mains or battery, or only the battery's charge: the program reads which.
    PowerStatusChanged,
};

// What the shell says to the program's main window: the tray icon's callback, a
// notification area that was created anew ("TaskbarCreated"), the request of a second
// start to show the window, and the system's events that may have changed a rate. The platform
// delivers them through the application's dispatch, as it does the user's acts.
class ShellEvents {
public:
    virtual ~ShellEvents() = default;
    virtual void TrayIconCallback(std::uint32_t mouseMessage) = 0;
    virtual void OnTaskbarCreated() = 0;
    virtual void OnShowMainMessage() = 0;
    virtual void OnSystemEvent(SystemEvent event) = 0;
};

} // namespace tvm
