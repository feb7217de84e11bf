// The mode table against a modern driver: 200 sizes and depths, ten rates each.
#include "display/SingleDisplaySet.h"
#include "platform/sim/IniFileProfile.h"
#include "platform/sim/MemoryRunAtLogon.h"
#include "platform/sim/ScriptedDialogs.h"
#include "platform/sim/SimDisplay.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/VirtualClock.h"
#include "ui/UnitMain.h"

#include <benchmark/benchmark.h>

namespace tvm {
namespace {

SimDisplay ModernDriver() {
    std::vector<DisplayMode> modes;
    const std::uint32_t rates[] = {24, 25, 30, 50, 59, 60, 75, 100, 120, 144};
    for (std::uint32_t size = 0; size < 100; ++size) {
        for (std::uint32_t bits : {16u, 32u}) {
            for (std::uint32_t rate : rates) {
                modes.push_back(SimDisplay::MakeMode(640 + size * 16, 480 + size * 9, bits, rate,
                                                     static_cast<std::uint32_t>(modes.size())));
            }
        }
    }
    return SimDisplay(std::move(modes), 0);
}

struct Program {
    SimDisplay display = ModernDriver();
    VirtualClock clock;
    ScriptedDialogs dialogs;
    TApplication app{dialogs, clock};
    Settings settings;
    IniFileProfile ini{"/nonexistent/Tavelmorind.ini", "Tavelmorind.ini"};
    MemoryRunAtLogon runKey{"C:\\Tavelmorind.exe"};
    SimTray tray;
    SimSystem system{clock};
};

// The main window with the engines it shows, as the program makes them.
struct MainWindow {
    explicit MainWindow(Program& p)
        : table(p.display), override(p.display, table, p.settings, p.app), displays(p.display),
          others(displays, override), switcher(p.display, table, p.settings, override),
          store(p.ini, p.runKey), main(p.app, p.settings, p.display, p.tray, p.system,
                                       MainEngines{table, override, switcher, store, others}) {}
    ModeTable table;
    OverrideEngine override;
    SingleDisplaySet displays;
    OtherDisplays others;
    ModeSwitcher switcher;
    SettingsStore store;
    TMainForm main;
};

void BM_BuildModeTable(benchmark::State& state) {
    Program program;
    for (auto _ : state) {
        MainWindow window(program);
        window.main.BuildModeTable();
        benchmark::DoNotOptimize(window.main.MainStringGrid.RowCount());
    }
    state.counters["modes"] = static_cast<double>(program.display.Modes().size());
}
BENCHMARK(BM_BuildModeTable)->Unit(benchmark::kMillisecond);

// Creating the window alone, to read the table build apart from it.
void BM_CreateMainWindow(benchmark::State& state) {
    Program program;
    for (auto _ : state) {
        MainWindow window(program);
        benchmark::DoNotOptimize(window.main.MainStringGrid.RowCount());
    }
}
BENCHMARK(BM_CreateMainWindow)->Unit(benchmark::kMillisecond);

void BM_FillChoiceList(benchmark::State& state) {
    Program program;
    MainWindow window(program);
    TMainForm& main = window.main;
    main.FormCreate();
    int row = 1;
    for (auto _ : state) {
        main.FillChoiceList(row);
        row = row % 200 + 1;
    }
}
BENCHMARK(BM_FillChoiceList)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tvm
