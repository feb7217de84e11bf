#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tvm {

// Reads a whole number the way the program reads every number it is given as text
// (settings file values, the frequency boxes): optional leading blanks, then either
// decimal digits with an optional sign, or at most eight hexadecimal digits after
// "$", "x", "X", "0x" or "0X" (eight F digits read as -1). Anything else, trailing
// characters and an empty text included, or a decimal outside the signed 32-bit
// range, is not a number.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// ParseInteger, raising "'<text>' is not a valid integer value" when it is not a number.
std::int32_t StrToInt(const std::string& text);

std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback);

} // namespace tvm
