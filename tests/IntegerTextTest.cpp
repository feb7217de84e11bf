#include "base/IntegerText.h"
#include "base/ProgramError.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

namespace tvm {
namespace {

struct IntegerCase {
    std::string Text;
    std::optional<std::int32_t> Expected;
};

TEST(IntegerText, ReadsEveryFormTheProgramAccepts) {
    const IntegerCase cases[] = {
        // decimal, with sign and leading blanks
        {"0", 0},
        {"42", 42},
        {"  42", 42},
        {"\t 42", 42},
        {"+7", 7},
        {"-7", -7},
        {"  -7", -7},
        {"007", 7},
        {"0000000000000000000042", 42},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"+2147483647", INT32_MAX},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        // hexadecimal behind each prefix
        {"$10", 16},
        {"x10", 16},
        {"X10", 16},
        {"0x10", 16},
        {"0X10", 16},
        {"  $10", 16},
        {"$aBcD", 0xABCD},
        {"0x7FFFFFFF", INT32_MAX},
        {"0x80000000", INT32_MIN},
        {"0xFFFFFFFF", -1},
        {"$FFFFFFFE", -2},
        {"$00000010", 16},
        {"$123456789", std::nullopt},
        {"0x000000010", std::nullopt},
        // not numbers
        {"", std::nullopt},
        {" ", std::nullopt},
        {"$", std::nullopt},
        {"x", std::nullopt},
        {"0x", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"yes", std::nullopt},
        {"12abc", std::nullopt},
        {"1 ", std::nullopt},
        {"1\t", std::nullopt},
        {"1.0", std::nullopt},
        {"1e3", std::nullopt},
        {"- 7", std::nullopt},
        {"+-7", std::nullopt},
        {"--7", std::nullopt},
        {"-$10", std::nullopt},
        {"-0x10", std::nullopt},
        {"$-1", std::nullopt},
        {"$ 10", std::nullopt},
        {"0x10 ", std::nullopt},
        {"$1g", std::nullopt},
        {"0b101", std::nullopt},
        {"1,000", std::nullopt},
        {std::string("1\0", 2), std::nullopt},
        {"\xEF\xBC\x91", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE("text: \"" + text + "\"");
        EXPECT_EQ(ParseInteger(text), expected);
        EXPECT_EQ(StrToIntDef(text, 1234), expected.value_or(1234));
        if (expected) {
            EXPECT_EQ(StrToInt(text), *expected);
        } else {
            EXPECT_THROW(StrToInt(text), ProgramError);
        }
    }
}

TEST(IntegerText, StrToIntNamesTheTextItCouldNotRead) {
    for (const std::string text : {"abc", "", " 12abc", "$123456789"}) {
        try {
            StrToInt(text);
            ADD_FAILURE() << "no error for \"" << text << "\"";
        } catch (const ProgramError& error) {
            EXPECT_EQ(std::string(error.what()), "'" + text + "' is not a valid integer value");
        }
    }
}

} // namespace
} // namespace tvm
