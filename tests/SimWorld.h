#pragma once

#include "app/Program.h"
#include "platform/sim/IniFileProfile.h"
#include "platform/sim/MemoryRunAtLogon.h"
#include "platform/sim/ScriptedDialogs.h"
#include "platform/sim/SimDisplay.h"
#include "platform/sim/SimDisplaySet.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/VirtualClock.h"
#include "settings/Settings.h"
#include "ui/UnitMain.h"
#include "ui/widgets/Application.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

namespace tvm::test {

inline std::string DataFile(const std::string& name) {
    return std::string(TAVELMORIND_TEST_DATA) + "/" + name;
}

// A folder of its own for each test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        static int counter = 0;
        path_ =
            std::filesystem::temp_directory_path() /
            ("tavelmorind-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline constexpr const char* kExePath = "C:\\Program Files\\Tavelmorind\\Tavelmorind.exe";

// A settings file of a program that has run before, with overriding On, automatic
// rates and no polling, so that a test sees the notification path alone.
inline constexpr const char* kRunBefore = "[Init]\nProgram Run Before=1\n";

// One running program on the simulated platform: a display driver loaded from a mode
// list, the virtual clock, scripted dialogs, a real settings file in a folder of its
// own, the Run value in memory, the tray, and the program with its five windows.
struct SimWorld {
    // `modes` is a mode-list file under tests/data, or, when it holds a line break,
    // the mode list itself.
    explicit SimWorld(const std::string& modes)
        : SimWorld(modes, std::filesystem::path(), "Tavelmorind.ini") {}
    // With the settings file at `iniPath`, which messages name in full.
    SimWorld(const std::string& modes, const std::filesystem::path& iniPath)
        : SimWorld(modes, iniPath, iniPath.string()) {}
    SimWorld(const std::string& modes, const std::filesystem::path& iniPath,
             const std::string& iniName)
        : Display(Load(modes)),
          Ini(iniPath.empty() ? Folder.Path() / "Tavelmorind.ini" : iniPath, iniName),
          RunKey(kExePath),
          System(Clock), Platform{Dialogs,
                                  Clock,
                                  MainServices{Display, Ini, RunKey, Tray, System},
                                  Power,
                                  Instance,
                                  Windows,
                                  &Displays},
          Prog(Platform), App(Prog.App), Config(Prog.Config) {}

    static SimDisplay Load(const std::string& modes) {
        if (modes.find('\n') == std::string::npos) {
            return SimDisplay::FromFile(DataFile(modes));
        }
        std::size_t current = 0;
        auto list = SimDisplay::ParseModeList(modes, "inline", &current);
        return SimDisplay(std::move(list), current);
    }

    void WriteIni(const std::string& text) const {
        std::ofstream(Ini.Path(), std::ios::binary) << text;
    }
    std::string ReadIni() const {
        std::ifstream file(Ini.Path(), std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
    bool IniExists() const { return std::filesystem::exists(Ini.Path()); }

    // Starts the program up to its message loop and returns its main window.
    TMainForm& CreateMain() {
        Prog.Start();
        Main = Prog.MainForm.get();
        return *Main;
    }
    // Starts with this settings file.
    TMainForm& CreateMain(const std::string& ini) {
        WriteIni(ini);
        return CreateMain();
    }

    TempFolder Folder;
    SimDisplay Display;
    // The desktop: Display is its primary; a test attaches others.
    SimDisplaySet Displays{Display};
    VirtualClock Clock;
    ScriptedDialogs Dialogs;
    IniFileProfile Ini;
    MemoryRunAtLogon RunKey;
    SimTray Tray;
    SimSystem System;
    SimPower Power;
    SimSingleInstance Instance;
    SimWindowSystem Windows;
    tvm::Platform Platform;
    Program Prog;
    TApplication& App;
    Settings& Config;
    TMainForm* Main = nullptr;
};

// A main window of its own over a world's services, with engines of its own and the
// settings file `ini`: for what the whole program does not show (a window before its
// start-up, a file that refuses writes).
struct LoneMainWindow {
    LoneMainWindow(SimWorld& world, Profile& ini)
        : Table(world.Display), Override(world.Display, Table, world.Config, world.App),
          Others(world.Displays, Override), Switcher(world.Display, Table, world.Config, Override),
          Store(ini, world.RunKey),
          Main(world.App, world.Config, world.Display, world.Tray, world.System,
               MainEngines{Table, Override, Switcher, Store, Others}) {
        Override.SetListener(&Main);
    }
    ModeTable Table;
    OverrideEngine Override;
    OtherDisplays Others;
    ModeSwitcher Switcher;
    SettingsStore Store;
    TMainForm Main;
};

} // namespace tvm::test
