// fuzz-sources: src/base/*.cpp
//
// ParseInteger against a slow reading of the same rule built on the standard library,
// and StrToInt against ParseInteger.

#include "base/IntegerText.h"
#include "base/ProgramError.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

std::optional<std::int32_t> Reference(std::string_view text) {
    const auto start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    text.remove_prefix(start);
    for (const std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
        if (text.starts_with(prefix)) {
            const auto digits = text.substr(prefix.size());
            std::uint32_t value = 0;
            const auto [end, error] =
                std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
            if (digits.empty() || digits.size() > 8 || error != std::errc() ||
                end != digits.data() + digits.size()) {
                return std::nullopt;
            }
            return static_cast<std::int32_t>(value);
        }
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    text.remove_prefix(std::min(text.find_first_not_of('0'), text.size() - 1));
    if (text.size() > 10) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    value = negative ? -value : value;
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto parsed = tvm::ParseInteger(text);
    Check(parsed == Reference(text));
    try {
        const std::int32_t value = tvm::StrToInt(text);
        Check(parsed && value == *parsed);
    } catch (const tvm::ProgramError& error) {
        // what() is a C string: the message ends at a zero byte of the text.
        const std::string message = "'" + text + "' is not a valid integer value";
        Check(!parsed && error.what() == message.substr(0, message.find('\0')));
    }

    // Every 32-bit number survives the trip through its decimal and hexadecimal texts.
    if (size >= 4) {
        std::int32_t number = 0;
        std::memcpy(&number, data, sizeof number);
        char hex[9] = {};
        std::to_chars(hex, hex + 8, static_cast<std::uint32_t>(number), 16);
        Check(tvm::ParseInteger(std::to_string(number)) == number);
        Check(tvm::ParseInteger(std::string("0x") + hex) == number);
    }
    return 0;
}
