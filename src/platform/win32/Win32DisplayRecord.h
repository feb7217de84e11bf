#pragma once

#include "display/DisplayMode.h"

#include <cstring>

namespace tvm {

// A display-mode record of the system (DEVMODEA for the primary's ANSI calls, DEVMODEW
// for another display's wide ones) travels whole in DisplayMode::Native; the four fields
// the program reads and writes are copied out, and back in when the mode is asked for.
// Only the record's own bytes of Native are written; the rest keeps what it held.
template <class DevMode> void StoreDisplayRecord(const DevMode& devMode, DisplayMode& mode) {
    static_assert(sizeof(DevMode) <= DisplayMode::NativeSize,
                  "the enumerated record must travel whole in DisplayMode::Native");
    std::memcpy(mode.Native.data(), &devMode, sizeof devMode);
    mode.BitsPerPel = devMode.dmBitsPerPel;
    mode.PelsWidth = devMode.dmPelsWidth;
    mode.PelsHeight = devMode.dmPelsHeight;
    mode.DisplayFrequency = devMode.dmDisplayFrequency;
}

// The mode a record of the system describes, the record kept whole in it.
template <class DevMode> DisplayMode DisplayModeOf(const DevMode& devMode) {
    DisplayMode mode;
    StoreDisplayRecord(devMode, mode);
    return mode;
}

// The record to hand to the system for `mode`: the enumerated one with the four named
// fields written over it.
template <class DevMode> DevMode DevModeOf(const DisplayMode& mode) {
    DevMode devMode;
    std::memcpy(&devMode, mode.Native.data(), sizeof devMode);
    devMode.dmBitsPerPel = mode.BitsPerPel;
    devMode.dmPelsWidth = mode.PelsWidth;
    devMode.dmPelsHeight = mode.PelsHeight;
    devMode.dmDisplayFrequency = mode.DisplayFrequency;
    return devMode;
}

} // namespace tvm
