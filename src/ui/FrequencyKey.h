#pragma once

namespace tvm {

// The frequency boxes take digits and control keys (backspace and the like); Enter
// and every other character are swallowed (set to 0).
inline void FilterFrequencyKey(char& key) {
    const bool digit = key >= '0' && key <= '9';
    const bool control = static_cast<unsigned char>(key) < 32 && key != '\r';
    if (!digit && !control) {
        key = 0;
    }
}

} // namespace tvm
