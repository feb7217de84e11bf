#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tvm {

// The platform's display-mode record as the enumeration filled it. The program reads
// and writes the four named fields; everything else the platform put in the record
// travels in `Native` untouched and is handed back when the mode is changed.
struct DisplayMode {
    std::uint32_t BitsPerPel = 0;
    std::uint32_t PelsWidth = 0;
    std::uint32_t PelsHeight = 0;
    std::uint32_t DisplayFrequency = 0;

    // Room for the platform's whole record (the ANSI DEVMODE is 156 bytes, the wide one
    // 220) plus a small driver-extra block.
    static constexpr std::size_t NativeSize = 256;
    alignas(8) std::array<std::byte, NativeSize> Native{};
};

// Flags for DisplayService::ChangeMode.
enum : std::uint32_t {
    ChangeDynamic = 0,        // change the mode and rearrange the desktop
    ChangeUpdateRegistry = 1, // CDS_UPDATEREGISTRY: also store it as the default mode
    ChangeFullscreen = 4,     // CDS_FULLSCREEN: temporary, the desktop stays as it was
};

// Result codes of DisplayService::ChangeMode (those of ChangeDisplaySettings).
enum : std::int32_t {
    DispChangeSuccessful = 0,
    DispChangeRestart = 1,
    DispChangeFailed = -1,
    DispChangeBadMode = -2,
    DispChangeNotUpdated = -3,
    DispChangeBadFlags = -4,
    DispChangeBadParam = -5,
};

} // namespace tvm
