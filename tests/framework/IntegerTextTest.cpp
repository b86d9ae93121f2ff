// SPDX-License-Identifier: GPL-2.0-or-later
// The integer reading rules of the data exchange, as a table of typed texts.
#include "framework/IntegerText.h"

#include <gtest/gtest.h>

namespace {

struct IntegerCase
{
    const char* name;
    const char* text;
    std::optional<std::int32_t> expected;
};

const IntegerCase kCases[] = {
    {"plain", "20", 20},
    {"blanks and tabs around", " \t20 \t", 20},
    {"plus sign", "+20", 20},
    {"leading zeros", "0020", 20},
    {"negative", "-5", -5},
    {"zero", "0", 0},
    {"zero after blanks", "  0  ", 0},
    {"saturates high", "99999999999", 2147483647},
    {"saturates low", "-99999999999", -2147483647 - 1},
    {"largest", "2147483647", 2147483647},
    {"empty", "", std::nullopt},
    {"blanks only", "   ", std::nullopt},
    {"letters", "abc", std::nullopt},
    {"trailing letter", "20s", std::nullopt},
    {"hexadecimal", "0x10", std::nullopt},
    {"sign only", "-", std::nullopt},
    {"minus zero is not a number", "-0", std::nullopt},
    {"plus zero is not a number", "+0", std::nullopt},
    {"inner blank", "2 0", std::nullopt},
    {"trailing newline", "20\n", std::nullopt},
    {"leading line break", "\r\n20", std::nullopt},
    {"leading vertical tab", "\v20", std::nullopt},
};

} // namespace

TEST(IntegerText, ParsesAsTheExchangeDoes)
{
    for (const IntegerCase& testCase : kCases) {
        SCOPED_TRACE(testCase.name);
        EXPECT_EQ(ParseIntegerText(testCase.text), testCase.expected);
    }
}
