#pragma once

#include <cstdint>
#include <vector>

namespace tvm::test {

// What the private X server offers (tools/xdummy/xorg.conf): each size at several
// rates, the top rate falling as the size grows. Wine lists each at 32, 16 and 8 bits.
struct DummySize {
    std::uint32_t Width;
    std::uint32_t Height;
    std::vector<std::uint32_t> Rates; // ascending
};

inline const std::vector<DummySize>& DummySizes() {
    static const std::vector<DummySize> sizes = {
        {640, 480, {60, 72, 75, 85, 100, 120, 140}},
        {800, 600, {60, 72, 75, 85, 100, 120}},
        {1024, 768, {60, 72, 75, 85, 100}},
        {1280, 1024, {60, 75, 85}},
    };
    return sizes;
}

} // namespace tvm::test
