#pragma once

#include <cstdint>
#include <string>

namespace tvm {

// A display mode's identity everywhere in the program: width, height and colour
// depth, never the refresh rate. For example "1024x768 - 32 BPP".
using ModeKey = std::string;

ModeKey MakeModeKey(std::uint32_t width, std::uint32_t height, std::uint32_t bits);

// The text shown for one detected frequency: 0 and 1 are the hardware's
// default-frequency settings, anything else its value in hertz.
std::string MakeFrequencyLabel(std::uint32_t frequency);

} // namespace tvm
