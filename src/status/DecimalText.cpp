// SPDX-License-Identifier: GPL-2.0-or-later
// The decimal conversion: one function so every number read from text reads alike.

#include "status/DecimalText.h"

#include <cstdint>
#include <limits>

namespace {

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::int32_t DecimalTextToInt(std::string_view text)
{
    std::size_t position = 0;
    while (position < text.size() && IsWhiteSpace(text[position]))
        ++position;

    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }

    // Accumulate the magnitude in 64 bits and stop growing it once it is past the 32-bit range,
    // so any number of digits saturates instead of overflowing.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; position < text.size() && IsDigit(text[position]); ++position) {
        if (magnitude <= kLimit)
            magnitude = magnitude * 10 + (text[position] - '0');
    }

    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}
