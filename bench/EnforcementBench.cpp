// The enforcement poll runs every millisecond while overriding is On: one tick on an
// unchanged display must cost five queries and a compare, nothing more.
#include "display/ModeTable.h"
#include "display/OverrideEngine.h"
#include "platform/sim/ScriptedDialogs.h"
#include "platform/sim/SimDisplay.h"
#include "platform/sim/VirtualClock.h"
#include "ui/widgets/Application.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}

// Counting allocations means replacing the global allocator; the pair below is
// consistent, whatever the compiler's inliner concludes.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace tvm {
namespace {

void BM_EnforcementTickUnchanged(benchmark::State& state) {
    std::vector<DisplayMode> modes;
    for (std::uint32_t i = 0; i < 2000; ++i) {
        modes.push_back(SimDisplay::MakeMode(640 + (i / 10) * 16, 480 + (i / 10) * 9,
                                             i % 20 < 10 ? 16 : 32, 60 + i % 10, i));
    }
    SimDisplay display(std::move(modes), 5);
    VirtualClock clock;
    ScriptedDialogs dialogs;
    TApplication app(dialogs, clock);
    Settings settings;
    ModeTable table(display);
    table.BuildModeTable();
    table.ApplyFastest(true);
    OverrideEngine engine(display, table, settings, app);
    // The first tick overrides, the second checks the override; from then on the
    // display is unchanged.
    engine.EnforcementTick();
    engine.EnforcementTick();

    const auto enumerations = display.EnumerateCalls();
    const long allocationsBefore = allocations.load();
    for (auto _ : state) {
        engine.EnforcementTick();
    }
    state.counters["allocations"] = static_cast<double>(allocations.load() - allocationsBefore);
    state.counters["enumerations"] = static_cast<double>(display.EnumerateCalls() - enumerations);
}
BENCHMARK(BM_EnforcementTickUnchanged);

} // namespace
} // namespace tvm
