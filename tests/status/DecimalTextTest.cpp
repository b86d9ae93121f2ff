// SPDX-License-Identifier: GPL-2.0-or-later
// The one decimal conversion: white space, sign, digits up to the first non-digit, saturation.

#include "status/DecimalText.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <string_view>

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

struct DecimalCase
{
    const char* name;
    std::string_view text;
    std::int32_t expected;

    // Failure messages name the case instead of dumping its bytes.
    friend void PrintTo(const DecimalCase& testCase, std::ostream* out) { *out << testCase.name; }
};

class DecimalTextTest : public testing::TestWithParam<DecimalCase>
{};

TEST_P(DecimalTextTest, Converts)
{
    EXPECT_EQ(DecimalTextToInt(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecimalTextTest,
    testing::Values(DecimalCase{"PlainNumber", "42", 42}, DecimalCase{"NegativeNumber", "-17", -17},
                    DecimalCase{"PlusSign", "+8", 8},
                    DecimalCase{"LeadingWhiteSpaceOfEveryKind", " \t\n\v\f\r7", 7},
                    DecimalCase{"StopsAtFirstNonDigit", "12abc", 12},
                    DecimalCase{"StopsAtTrailingCarriageReturn", "13\r", 13},
                    DecimalCase{"StopsAtInnerSpace", "7 8", 7},
                    DecimalCase{"EmptyTextIsZero", "", 0}, DecimalCase{"LettersAreZero", "abc", 0},
                    DecimalCase{"LoneSignIsZero", "-", 0}, DecimalCase{"TwoSignsAreZero", "+-5", 0},
                    DecimalCase{"SpaceAfterSignIsZero", "- 5", 0},
                    DecimalCase{"TrailingWhiteSpaceOnlyIsZero", "   ", 0},
                    DecimalCase{"LeadingZerosDoNotSaturate", "000000000000000000000042", 42},
                    DecimalCase{"LargestValue", "2147483647", kMax},
                    DecimalCase{"SmallestValue", "-2147483648", kMin},
                    DecimalCase{"OnePastLargestSaturates", "2147483648", kMax},
                    DecimalCase{"OnePastSmallestSaturates", "-2147483649", kMin},
                    DecimalCase{"HugePositiveSaturates", "99999999999999999999999999", kMax},
                    DecimalCase{"HugeNegativeSaturates", "-99999999999999999999999999", kMin},
                    DecimalCase{"WrapAroundValueSaturates", "4294967338", kMax}),
    [](const testing::TestParamInfo<DecimalCase>& info) { return info.param.name; });

TEST(DecimalTextTest, ReadsOnlyTheGivenView)
{
    // The view ends before the second digit; a conversion reading on to a terminator would
    // see 12.
    const std::string_view text = std::string_view("12").substr(0, 1);
    EXPECT_EQ(DecimalTextToInt(text), 1);
}

} // namespace
