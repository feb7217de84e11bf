#pragma once

namespace tvm {

class ShellEvents;
class TApplication;
class TForm;

// One copy of the program per user session.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // Claims the program's name ("Tavelmorind"); true when another copy already has it.
    // Any failure to find out counts as false: the program then starts normally.
    virtual bool AnotherCopyRunning() = 0;
    // Asks the running copy to show its main window ("Tavelmorind_ShowMain"), and waits
    // until it has. False when no copy answered and the name has become this one's
    // meanwhile: the copy that had it was ending, and this start goes on as the program.
    virtual bool AskRunningCopyToShow() = 0;
    // The copy is ending: a start from now on is the program, not a request to it.
    virtual void Release() = 0;
};

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
