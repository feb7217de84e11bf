#pragma once

#include <cstdint>

namespace tvm {

// What the shell says to the program's main window: the tray icon's callback, a
// notification area that was created anew ("TaskbarCreated"), and the request of a
// second start to show the window. The platform delivers them through the
// application's dispatch, as it does the user's acts.
class ShellEvents {
public:
    virtual ~ShellEvents() = default;
    virtual void TrayIconCallback(std::uint32_t mouseMessage) = 0;
    virtual void OnTaskbarCreated() = 0;
    virtual void OnShowMainMessage() = 0;
};

} // namespace tvm
