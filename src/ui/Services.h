#pragma once

#include "display/DisplayService.h"
#include "settings/Profile.h"
#include "settings/RunAtLogon.h"
#include "shell/SystemService.h"
#include "shell/TrayService.h"

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
