#include "ui/MonitorCommands.h"

#include "power/PowerService.h"
#include "ui/Services.h"
#include "ui/UnitBlank.h"

#include <algorithm>

namespace tvm {

MonitorCommands::MonitorCommands(Settings& settings, PowerService& power, SystemService& system,
                                 TBlankForm& blank)
    : config_(settings), power_(power), system_(system), blank_(blank) {}

void MonitorCommands::Wait() {
    // The wait blocks the user-interface thread on purpose: nothing else should
    // happen while the user lets go of the mouse.
    system_.Sleep(static_cast<std::uint32_t>(std::clamp(config_.PowerSaveDelay, 0, 30000)));
}

void MonitorCommands::Lock() {
    system_.WinExec("rundll32.exe user32.dll,LockWorkStation", SystemService::SwShow);
}

void MonitorCommands::Blank(int powerAction) {
    blank_.PowerAction = powerAction;
    Wait();
    blank_.Show();
}

void MonitorCommands::ActivateScreenSaver1Click() {
    Wait();
    power_.SendSysCommand(PowerService::ScScreenSave, 0);
}

void MonitorCommands::LockPCActivateScreenSaver1Click() {
    Lock();
    Wait();
    power_.SendSysCommand(PowerService::ScScreenSave, 0);
}

void MonitorCommands::LockPCDPMSStandby1Click() {
    Lock();
    Wait();
    power_.SendSysCommand(PowerService::ScMonitorPower, 1);
}

void MonitorCommands::LockPCDPMSOff1Click() {
    Lock();
    Wait();
    power_.SendSysCommand(PowerService::ScMonitorPower, 2);
}

} // namespace tvm
