#pragma once

namespace tvm {

class ShellEvents;
class TApplication;
class TForm;

// The platform's windows: native faces for the forms, and the message loop.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    // Gives a form its native window, hidden.
    virtual void Realize(TForm& form) = 0;
    // The main window's native window is also the program's shell window: the system's
    // messages to the program (display changes, timers, the tray icon's callbacks,
    // "TaskbarCreated", the show request of a second start, the end of the session)
    // arrive there, and those for the main window go on to `events`.
    virtual void RealizeMain(TForm& main, ShellEvents& events) = 0;
    // Hides the toolkit's application window; from then on the program has a taskbar
    // button exactly while one of its windows is shown.
    virtual void HideApplicationWindow() = 0;
    // Runs until the application is asked to terminate.
    virtual void RunMessageLoop(TApplication& app) = 0;
};

} // namespace tvm
