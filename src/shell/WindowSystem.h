#pragma once

namespace tvm {

class ShellEvents;
class TApplication;
class TForm;

// The platform's windows: native faces for the forms, and the message loop.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    // Gives a form its native window, hidden. The main window also gets its messages
    // (tray callbacks, the show request of a second start) routed to it.
    virtual void Realize(TForm& form) = 0;
    virtual void RealizeMain(TForm& main, ShellEvents& events) = 0;
    // Hides the toolkit's application window; from then on the program has a taskbar
    // button exactly while one of its windows is shown.
    virtual void HideApplicationWindow() = 0;
    // Runs until the application is asked to terminate.
    virtual void RunMessageLoop(TApplication& app) = 0;
};

} // namespace tvm
