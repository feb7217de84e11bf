// Prints the mode table that the program builds from the real display: the three
// columns as the user sees them, the fastest rate per mode and the set of rates.
#include "platform/sim/IniFileProfile.h"
#include "platform/sim/MemoryRunAtLogon.h"
#include "platform/sim/ScriptedDialogs.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/VirtualClock.h"
#include "platform/win32/Win32Display.h"
#include "platform/win32/Win32MessageLoop.h"
#include "ui/UnitMain.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

void PrintRow(const std::string& a, const std::string& b, const std::string& c,
              const std::string& d, std::size_t wa, std::size_t wb) {
    std::printf("%-*s  %-*s  %-6s  %s\n", static_cast<int>(wa), a.c_str(), static_cast<int>(wb),
                b.c_str(), c.c_str(), d.c_str());
}

} // namespace

int main() {
    tvm::Win32MessageLoop loop;
    tvm::Win32Display display(loop);
    tvm::VirtualClock clock; // the table needs no timer
    tvm::ScriptedDialogs dialogs;
    tvm::TApplication app(dialogs, clock);
    tvm::Settings settings;
    // Only the table is wanted: the settings come from nowhere, the tray is not shown.
    tvm::IniFileProfile ini("NUL", "Tavelmorind.ini");
    tvm::MemoryRunAtLogon runKey("Tavelmorind.exe");
    tvm::SimTray tray;
    tvm::SimSystem system(clock);
    tvm::TMainForm main(app, settings, tvm::MainServices{display, ini, runKey, tray, system});
    main.BuildModeTable();
    main.ApplyFastestSetting();

    const tvm::TStringGrid& grid = main.MainStringGrid;
    std::size_t wa = 0, wb = 0;
    for (int row = 0; row < grid.RowCount(); ++row) {
        wa = std::max(wa, grid.Cell(0, row).size());
        wb = std::max(wb, grid.Cell(1, row).size());
    }
    std::printf("Current mode: %s at %u Hz\n\n", display.CurrentModeKey().c_str(),
                static_cast<unsigned>(display.CurrentRefresh()));
    PrintRow(grid.Cell(0, 0), grid.Cell(1, 0), grid.Cell(2, 0), "Fastest", wa, wb);
    for (int row = 1; row < grid.RowCount(); ++row) {
        PrintRow(grid.Cell(0, row), grid.Cell(1, row), grid.Cell(2, row),
                 std::to_string(main.Table.FastestTable[static_cast<std::size_t>(row - 1)]), wa,
                 wb);
    }
    std::string set;
    for (const std::string& f : main.Table.FrequencySet) {
        set += (set.empty() ? "" : ", ") + f;
    }
    std::printf("\n%d modes; frequencies detected: %s\n", grid.RowCount() - 1, set.c_str());
    std::printf("Set At column: %s\n", main.InstrLabel.Caption().c_str());
    return grid.RowCount() > 1 ? 0 : 1;
}
