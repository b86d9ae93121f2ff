// SPDX-License-Identifier: GPL-2.0-or-later
// The integer reading of the data exchange (see IntegerText.h for the rules).
#include "framework/IntegerText.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace {

bool IsBlank(char character)
{
    return character == ' ' || character == '\t';
}

} // namespace

std::optional<std::int32_t> ParseIntegerText(std::string_view text)
{
    std::size_t position = 0;
    while (position < text.size() && IsBlank(text[position]))
        ++position;
    const std::size_t firstCharacter = position;

    // Only blanks and tabs lead the number: a pasted line break in front of it is not a number.
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    const std::size_t digitsStart = position;
    std::int64_t magnitude = 0;
    constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    while (position < text.size() && std::isdigit(static_cast<unsigned char>(text[position]))) {
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text[position] - '0'), kCap);
        ++position;
    }
    if (position == digitsStart)
        position = firstCharacter; // nothing read: the value is 0 and nothing was consumed

    std::int64_t signedValue = negative ? -magnitude : magnitude;
    auto value = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(signedValue, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
    if (value == 0 && (firstCharacter >= text.size() || text[firstCharacter] != '0'))
        return std::nullopt;
    while (position < text.size() && IsBlank(text[position]))
        ++position;
    if (position != text.size())
        return std::nullopt;
    return value;
}
