#pragma once

#include "platform/sim/ScriptedDialogs.h"
#include "platform/sim/SimDisplay.h"
#include "platform/sim/VirtualClock.h"
#include "settings/Settings.h"
#include "ui/UnitMain.h"
#include "ui/widgets/Application.h"

#include <memory>
#include <string>

namespace tvm::test {

inline std::string DataFile(const std::string& name) {
    return std::string(TAVELMORIND_TEST_DATA) + "/" + name;
}

// One running program on the simulated platform: a display driver loaded from a mode
// list, the virtual clock, scripted dialogs, the settings fields and the main window.
struct SimWorld {
    // `modes` is a mode-list file under tests/data, or, when it holds a line break,
    // the mode list itself.
    explicit SimWorld(const std::string& modes) : Display(Load(modes)), App(Dialogs, Clock) {}

    static SimDisplay Load(const std::string& modes) {
        if (modes.find('\n') == std::string::npos) {
            return SimDisplay::FromFile(DataFile(modes));
        }
        std::size_t current = 0;
        auto list = SimDisplay::ParseModeList(modes, "inline", &current);
        return SimDisplay(std::move(list), current);
    }

    SimDisplay Display;
    VirtualClock Clock;
    ScriptedDialogs Dialogs;
    TApplication App;
    Settings Config;
    std::unique_ptr<TMainForm> Main;

    TMainForm& CreateMain() {
        Main = std::make_unique<TMainForm>(App, Config, Display);
        Main->FormCreate();
        return *Main;
    }
};

} // namespace tvm::test
