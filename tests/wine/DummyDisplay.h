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

// The X configuration tools/xserver.sh started, by TAVELMORIND_XDUMMY; Wine hands the
// variable on.
inline bool XDummyIs(const char* name) {
    const char* config = std::getenv("TAVELMORIND_XDUMMY");
    return config != nullptr && std::strcmp(config, name) == 0;
}

// The gaming panel (tools/xdummy/gaming.conf).
inline bool GamingPanel() {
    return XDummyIs("gaming");
}

// Two monitors side by side (tools/xdummy/dual.conf): DUMMY0 is \\.\DISPLAY1, the
// primary, and DUMMY1 at its right is \\.\DISPLAY2.
inline bool DualDisplay() {
    return XDummyIs("dual");
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
    // tools/xdummy/dual.conf, on each of the two
    static const std::vector<DummySize> dual = {
        {1024, 768, {60, 75, 100}},
        {1280, 1024, {60, 75}},
    };
    return GamingPanel() ? gaming : DualDisplay() ? dual : crt;
}

} // namespace tvm::test
