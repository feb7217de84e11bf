// Prints the mode table that the program builds from the real display: the three
// columns as the user sees them, the fastest rate per mode and the set of rates.
#include "display/ModeTable.h"
#include "platform/win32/Win32Display.h"
#include "platform/win32/Win32MessageLoop.h"

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
    tvm::ModeTable table(display);
    table.BuildModeTable();
    table.ApplyFastest(true);

    const std::string headers[] = {"Screen Mode", "Detected Safe Frequencies (Hz)", "Set At"};
    std::size_t wa = headers[0].size(), wb = headers[1].size();
    for (std::size_t i = 0; i < table.Count(); ++i) {
        wa = std::max(wa, table.Row(i).Key.size());
        wb = std::max(wb, table.Row(i).Detected.size());
    }
    std::printf("Current mode: %s at %u Hz\n\n", display.CurrentModeKey().c_str(),
                static_cast<unsigned>(display.CurrentRefresh()));
    PrintRow(headers[0], headers[1], headers[2], "Fastest", wa, wb);
    for (std::size_t i = 0; i < table.Count(); ++i) {
        const tvm::ModeRow& row = table.Row(i);
        PrintRow(row.Key, row.Detected, row.SetAt, std::to_string(table.FastestTable[i]), wa, wb);
    }
    std::string set;
    for (const std::string& f : table.FrequencySet) {
        set += (set.empty() ? "" : ", ") + f;
    }
    std::printf("\n%zu modes; frequencies detected: %s\n", table.Count(), set.c_str());
    std::printf("Set At column: the fastest rate of each mode\n");
    return table.Count() > 0 ? 0 : 1;
}
