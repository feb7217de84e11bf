#pragma once

#include "display/ModeSwitcher.h"
#include "display/ModeTable.h"
#include "display/OtherDisplays.h"
#include "display/OverrideEngine.h"
#include "display/SingleDisplaySet.h"
#include "power/PowerService.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "shell/ShellEvents.h"
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
    // Every display attached to the desktop; none given: the primary alone.
    DisplaySet* Displays = nullptr;
};

// The running program: the settings fields, the engines over the platform's services,
// and the five windows, created in order and connected here; the windows reach each
// other only through what this connects.
class Program : private ModeSwitcher::Window, private ShellEvents {
    // The desktop when the platform names no displays: the primary alone.
    SingleDisplaySet primaryOnly_;

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
    ModeTable Table;
    OverrideEngine Override;
    // The displays besides the primary, each with its own table.
    OtherDisplays Others;
    ModeSwitcher Switcher;
    SettingsStore Store;
    std::unique_ptr<TMainForm> MainForm;
    std::unique_ptr<TAdvanceForm> AdvanceForm;
    std::unique_ptr<TAboutForm> AboutForm;
    std::unique_ptr<TTimerForm> TimerForm;
    std::unique_ptr<TBlankForm> BlankForm;
    std::unique_ptr<MonitorCommands> Monitors;

private:
    void WireMonitorCommands();

    // The switcher's confirmation is the confirmation dialog's; the switch controls are
    // the main window's.
    void ConfirmModeSwitch() override;
    void EnableModeSwitching(bool enabled) override;
    // What the shell says to the program goes to the main window.
    void TrayIconCallback(std::uint32_t mouseMessage) override;
    void OnTaskbarCreated() override;
    void OnShowMainMessage() override;
    void OnSystemEvent(SystemEvent event) override;

    Platform& platform_;
};

} // namespace tvm
