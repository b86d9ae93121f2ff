// SPDX-License-Identifier: GPL-2.0-or-later
// The swatch lookup of the standings display, kept with the status core as pure code.

#include "status/ColorSwatch.h"

std::optional<int> SwatchForColor(std::int32_t colorNumber)
{
    if (colorNumber < 0)
        return std::nullopt;
    if (colorNumber >= 1 && colorNumber <= 13)
        return colorNumber - 1;
    return 13; // colour 0 and the numbers past the strip share its last swatch
}
