// fuzz-sources: src/base/*.cpp src/display/*.cpp src/settings/*.cpp src/ui/*.cpp
// fuzz-sources: src/ui/widgets/*.cpp src/shell/*.cpp src/app/*.cpp src/platform/sim/*.cpp
//
// Arbitrary bytes as the settings file, then the program's whole start-up over the
// simulated CRT, a save, and a second start from what was saved: no crash, every
// setting within what the program can act on, and a save that reloads to itself.

#include "app/Program.h"
#include "base/IntegerText.h"
#include "platform/sim/IniFileProfile.h"
#include "platform/sim/MemoryRunAtLogon.h"
#include "platform/sim/ScriptedDialogs.h"
#include "platform/sim/SimDisplay.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/VirtualClock.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const fs::path& IniPath() {
    static const fs::path path = [] {
        const char* given = std::getenv("TAVELMORIND_FUZZ_DIR");
        const fs::path folder = given != nullptr
                                    ? fs::path(given) / "load"
                                    : fs::temp_directory_path() /
                                          ("tavelmorind-fuzz-load-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        return folder / "Tavelmorind.ini";
    }();
    return path;
}

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

constexpr const char* kModes = "640 480 16 60,72,75,85\n800 600 32 56,60,72,85 *\n"
                               "1024 768 32 0,60,70,75\n";

struct Run {
    tvm::SimDisplay display{tvm::SimDisplay::ParseModeList(kModes, "fuzz"), 0};
    tvm::VirtualClock clock;
    tvm::ScriptedDialogs dialogs;
    tvm::IniFileProfile ini{IniPath(), "Tavelmorind.ini"};
    tvm::MemoryRunAtLogon runKey{"C:\\Program Files\\Tavelmorind\\Tavelmorind.exe"};
    tvm::SimTray tray;
    tvm::SimSystem system{clock};
    tvm::SimPower power;
    tvm::SimSingleInstance instance;
    tvm::SimWindowSystem windows;
    tvm::Platform platform{dialogs, clock,    tvm::MainServices{display, ini, runKey, tray, system},
                           power,   instance, windows};
    tvm::Program program{platform};

    // Start-up, a few ticks of the poll, a save.
    void Go() {
        Check(program.Start());
        clock.Advance(50);
        program.MainForm->SaveSettings();
    }
};

std::string SettingsOf(Run& run) {
    const tvm::Settings& c = run.program.Config;
    tvm::TMainForm& m = *run.program.MainForm;
    std::string s =
        std::to_string(m.OnRadioButton.Checked()) + std::to_string(m.FastestCheckBox.Checked()) +
        "|" + std::to_string(m.Override.DelayInterval()) + "|" +
        std::to_string(m.Override.RateWindowInterval()) + "|" +
        std::to_string(c.AutoDisableTimeAllowed) + "|" + std::to_string(c.RunAtSetFrequency) +
        std::to_string(c.CpuEnforceModes) + std::to_string(c.ShowSystemTrayIcon) +
        std::to_string(c.OptimizeDesktopMode) + "|" + std::to_string(c.RunAtSetFrequencyLevel) +
        "|" + std::to_string(c.ModeSwitcher) + "|" + std::to_string(c.PowerSaveDelay);
    for (int row = 1; row < m.MainStringGrid.RowCount(); ++row) {
        s += "|" + m.MainStringGrid.Cell(2, row);
    }
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream out(IniPath(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    Run first;
    first.Go();
    const tvm::Settings& c = first.program.Config;
    Check(c.PowerSaveDelay >= 0 && c.PowerSaveDelay <= 30000);
    for (int row = 1; row < first.program.MainForm->MainStringGrid.RowCount(); ++row) {
        // A Set At cell always holds a number the override engine can read.
        Check(tvm::ParseInteger(first.program.MainForm->MainStringGrid.Cell(2, row)).has_value());
    }

    Run second;
    second.Go();
    Check(SettingsOf(first) == SettingsOf(second));
    return 0;
}
