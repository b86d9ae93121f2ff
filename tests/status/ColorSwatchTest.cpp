// SPDX-License-Identifier: GPL-2.0-or-later
// Colour number to swatch index: 1-13 their own swatch, 0 and past the strip the 0 swatch.

#include "status/ColorSwatch.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <ostream>

namespace {

struct SwatchCase
{
    const char* name;
    std::int32_t colorNumber;
    std::optional<int> expected;

    // Failure messages name the case instead of dumping its bytes.
    friend void PrintTo(const SwatchCase& testCase, std::ostream* out) { *out << testCase.name; }
};

class SwatchForColorTest : public testing::TestWithParam<SwatchCase>
{};

TEST_P(SwatchForColorTest, MapsColorNumber)
{
    EXPECT_EQ(SwatchForColor(GetParam().colorNumber), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SwatchForColorTest,
    testing::Values(SwatchCase{"SmallestInt", std::numeric_limits<std::int32_t>::min(), {}},
                    SwatchCase{"MinusOne", -1, {}}, SwatchCase{"Zero", 0, 13},
                    SwatchCase{"One", 1, 0}, SwatchCase{"Four", 4, 3},
                    SwatchCase{"Thirteen", 13, 12}, SwatchCase{"Fourteen", 14, 13},
                    SwatchCase{"LargestInt", std::numeric_limits<std::int32_t>::max(), 13}),
    [](const testing::TestParamInfo<SwatchCase>& info) { return info.param.name; });

} // namespace
