// SPDX-License-Identifier: GPL-2.0-or-later
// The code page of the system's 8-bit strings, Windows-1252, as one table for every front end
// (the window's widgets, the terminal and JSON output of tallyhawk-query).
#pragma once

#include <cstdint>
#include <optional>

// The Unicode character of a byte. Every byte has one and no two bytes share one: the five
// bytes Windows-1252 leaves undefined (81, 8D, 8F, 90, 9D) map to the C1 control characters of
// the same value, so text round-trips exactly.
char16_t Windows1252ToUnicode(std::uint8_t byte);

// The byte of a character, or nothing for a character outside the code page.
std::optional<std::uint8_t> UnicodeToWindows1252(char32_t character);
