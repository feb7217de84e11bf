#pragma once

#include "power/MonitorCommands.h"
#include "power/PowerService.h"
#include "settings/Settings.h"
#include "ui/Services.h"
#include "ui/UnitAbout.h"
#include "ui/UnitAdvanced.h"
#include "ui/UnitBlank.h"
#include "ui/UnitMain.h"
#include "ui/UnitTimer.h"
#include "ui/widgets/Application.h"

#include <memory>

namespace tvm {

// One copy of the program per user session.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // Claims the program's name ("Tavelmorind"); true when another copy already has it.
    // Any failure to find out counts as false: the program then starts normally.
    virtual bool AnotherCopyRunning() = 0;
    // Asks the running copy to show its main window ("Tavelmorind_ShowMain"), and waits
    // until it has.
    virtual void AskRunningCopyToShow() = 0;
};

// The platform's windows: native faces for the forms, and the message loop.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    // Gives a form its native window, hidden. The main window also gets its messages
    // (tray callbacks, the show request of a second start) routed to it.
    virtual void Realize(TForm& form) = 0;
    virtual void RealizeMain(TMainForm& main) = 0;
    // Hides the toolkit's application window; from then on the program has a taskbar
    // button exactly while one of its windows is shown.
    virtual void HideApplicationWindow() = 0;
    // Runs until the application is asked to terminate.
    virtual void RunMessageLoop(TApplication& app) = 0;
};

struct Platform {
    DialogService& Dialogs;
    TimerService& Timers;
    MainServices Main;
    PowerService& Power;
    SingleInstance& Instance;
    WindowSystem& Windows;
};

// The running program: the settings fields and the five windows, created in order.
class Program {
public:
    explicit Program(Platform& platform);

    // The entry point's work: the single-instance check, the windows, the message
    // loop, and the removal of the tray icon afterwards. Returns the exit code.
    int Run();

    // Start-up alone (everything before the message loop); false for a second copy.
    bool Start();
    // What follows the message loop.
    void Finish();

    TApplication App;
    Settings Config;
    std::unique_ptr<TMainForm> MainForm;
    std::unique_ptr<TAdvanceForm> AdvanceForm;
    std::unique_ptr<TAboutForm> AboutForm;
    std::unique_ptr<TTimerForm> TimerForm;
    std::unique_ptr<TBlankForm> BlankForm;
    std::unique_ptr<MonitorCommands> Monitors;

private:
    void WireMonitorCommands();

    Platform& platform_;
};

} // namespace tvm
