// SPDX-License-Identifier: GPL-2.0-or-later
// Maps a player colour number to the index of its swatch in the colour image strip.
#pragma once

#include <cstdint>
#include <optional>

inline constexpr int kSwatchCount = 14;

// 1 to 13 give number - 1; 0 and 14 or more give 13; a negative number gives no swatch.
std::optional<int> SwatchForColor(std::int32_t colorNumber);
