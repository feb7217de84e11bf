#pragma once

#include "settings/Settings.h"

namespace tvm {

class PowerService;
class SystemService;
class TBlankForm;

// The seven commands of both "Monitor Features" menus. Each waits PowerSaveDelay ms,
// so that the user can let go of the mouse, before it acts on the screen or the
// monitor; the lock combinations lock first and wait afterwards.
class MonitorCommands {
public:
    MonitorCommands(Settings& settings, PowerService& power, SystemService& system,
                    TBlankForm& blank);

    void ActivateScreenSaver1Click();
    void BlankScreen1Click() { Blank(0); }
    void DPMSStandby1Click() { Blank(1); }
    void DPMSOff1Click() { Blank(2); }
    void LockPCActivateScreenSaver1Click();
    void LockPCDPMSStandby1Click();
    void LockPCDPMSOff1Click();

private:
    void Wait();
    void Lock();
    void Blank(int powerAction);

    Settings& config_;
    PowerService& power_;
    SystemService& system_;
    TBlankForm& blank_;
};

} // namespace tvm
