// SPDX-License-Identifier: GPL-2.0-or-later
// The one decimal text to number conversion of the system, used wherever a number is read from
// text (reply fields, team colour numbers).
#pragma once

#include <cstdint>
#include <string_view>

// Skips leading white space, then takes an optional sign and the decimal digits up to the first
// non-digit. No digits gives 0. A value beyond the signed 32-bit range saturates to the nearest
// bound instead of wrapping.
std::int32_t DecimalTextToInt(std::string_view text);
