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
#include <memory>
#include <new>
#include <vector>

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

// One tick with every display unchanged, for one, two and three displays: the cost
// grows with the displays and nothing else.
void BM_EnforcementTickUnchanged(benchmark::State& state) {
    std::vector<DisplayMode> modes;
    for (std::uint32_t i = 0; i < 2000; ++i) {
        modes.push_back(SimDisplay::MakeMode(640 + (i / 10) * 16, 480 + (i / 10) * 9,
                                             i % 20 < 10 ? 16 : 32, 60 + i % 10, i));
    }
    const auto count = static_cast<std::size_t>(state.range(0));
    std::vector<std::unique_ptr<SimDisplay>> displays;
    std::vector<std::unique_ptr<ModeTable>> tables;
    for (std::size_t d = 0; d < count; ++d) {
        displays.push_back(std::make_unique<SimDisplay>(modes, 5 + d));
        tables.push_back(std::make_unique<ModeTable>(*displays.back()));
        tables.back()->BuildModeTable();
        tables.back()->ApplyFastest(true);
    }
    VirtualClock clock;
    ScriptedDialogs dialogs;
    TApplication app(dialogs, clock);
    Settings settings;
    OverrideEngine engine(*displays[0], *tables[0], settings, app);
    for (std::size_t d = 1; d < count; ++d) {
        engine.AddDisplay(*displays[d], *tables[d]);
    }
    // The first tick overrides, the second checks the override; from then on every
    // display is unchanged.
    engine.EnforcementTick();
    engine.EnforcementTick();

    std::size_t enumerations = 0;
    for (const auto& display : displays) {
        enumerations += display->EnumerateCalls();
    }
    const long allocationsBefore = allocations.load();
    for (auto _ : state) {
        engine.EnforcementTick();
    }
    state.counters["allocations"] = static_cast<double>(allocations.load() - allocationsBefore);
    std::size_t after = 0;
    for (const auto& display : displays) {
        after += display->EnumerateCalls();
    }
    state.counters["enumerations"] = static_cast<double>(after - enumerations);
}
BENCHMARK(BM_EnforcementTickUnchanged)->Arg(1)->Arg(2)->Arg(3);

} // namespace
} // namespace tvm
