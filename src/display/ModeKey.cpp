#include "display/ModeKey.h"

namespace tvm {

ModeKey MakeModeKey(std::uint32_t width, std::uint32_t height, std::uint32_t bits) {
    ModeKey key;
    key.reserve(24);
    key += std::to_string(width);
    key += 'x';
    key += std::to_string(height);
    key += " - ";
    key += std::to_string(bits);
    key += " BPP";
    return key;
}

std::string MakeFrequencyLabel(std::uint32_t frequency) {
    if (frequency == 0) {
        return "Default frequency (setting 0)";
    }
    if (frequency == 1) {
        return "Default frequency (setting 1)";
    }
    return std::to_string(frequency);
}

} // namespace tvm
