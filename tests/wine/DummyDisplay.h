#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace tvm::test {

// What the private X server offers: each size at several rates, the top rate falling
// as the size grows. Wine lists each at 32, 16 and 8 bits.
struct DummySize {
    std::uint32_t Width;
    std::uint32_t Height;
    std::vector<std::uint32_t> Rates; // ascending
};

// True when the server runs the gaming panel (tools/xdummy/gaming.conf), which
// tools/xserver.sh starts for TAVELMORIND_XDUMMY=gaming; Wine hands the variable on.
inline bool GamingPanel() {
    const char* panel = std::getenv("TAVELMORIND_XDUMMY");
    return panel != nullptr && std::strcmp(panel, "gaming") == 0;
}

inline const std::vector<DummySize>& DummySizes() {
    // tools/xdummy/xorg.conf
    static const std::vector<DummySize> crt = {
        {640, 480, {60, 72, 75, 85, 100, 120, 140}},
        {800, 600, {60, 72, 75, 85, 100, 120}},
        {1024, 768, {60, 72, 75, 85, 100}},
        {1280, 1024, {60, 75, 85}},
    };
    // tools/xdummy/gaming.conf
    static const std::vector<DummySize> gaming = {
        {1280, 720, {60, 144, 240, 360}},
        {1920, 1080, {60, 144, 240}},
    };
    return GamingPanel() ? gaming : crt;
}

} // namespace tvm::test
