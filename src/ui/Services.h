#pragma once

#include "display/DisplayService.h"
#include "settings/Profile.h"
#include "settings/RunAtLogon.h"
#include "ui/widgets/Shell.h"

namespace tvm {

// The platform services the main window works through.
struct MainServices {
    DisplayService& Display;
    Profile& Ini;
    RunAtLogon& RunKey;
    TrayService& Tray;
    SystemService& System;
};

} // namespace tvm
