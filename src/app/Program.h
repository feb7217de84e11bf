#pragma once

#include "power/PowerService.h"
#include "settings/Settings.h"
#include "shell/SingleInstance.h"
#include "shell/WindowSystem.h"
#include "ui/MonitorCommands.h"
#include "ui/Services.h"
#include "ui/UnitAbout.h"
#include "ui/UnitAdvanced.h"
#include "ui/UnitBlank.h"
#include "ui/UnitMain.h"
#include "ui/UnitTimer.h"
#include "ui/widgets/Application.h"

#include <memory>

namespace tvm {

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
