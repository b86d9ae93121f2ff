// SPDX-License-Identifier: GPL-2.0-or-later
// Server-controlled bytes turned into UTF-8 for output. Reply strings are 8-bit text of any
// value; neither form below can fail or lose the text's length in columns.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Each byte becomes the Unicode code point of the same value (0 to 255), so the bytes can be
// recovered exactly from the result. For JSON.
std::string BytesToCodePoints(std::string_view bytes);

// Each byte becomes its Windows-1252 character, as the window shows it, except that control
// characters (bytes below 32, 127, and the five bytes Windows-1252 leaves undefined) become '?':
// a server's text must not drive the terminal. One byte gives one column.
std::string BytesToTerminalText(std::string_view bytes);

// The inverse of BytesToCodePoints: UTF-8 whose code points are all 0 to 255 back to the bytes.
// Nothing when a code point is above 255 or the UTF-8 is malformed.
std::optional<std::string> CodePointsToBytes(std::string_view utf8);
