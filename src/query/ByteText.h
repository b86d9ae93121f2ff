// SPDX-License-Identifier: GPL-2.0-or-later
// Server-controlled bytes turned into UTF-8 for output, and the hostname the outputs name. Reply
// strings are 8-bit text of any value; neither form below can fail or lose the text's length in
// columns.
#pragma once

#include "status/ServerInfoTable.h"

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

// Server text as the window shows it (ReadableServerText), then through BytesToTerminalText.
std::string ReadableTextUtf8(std::string_view bytes);

// The value of the serverinfo key "hostname" (the last one, matched on the received bytes, as
// the window does), or an empty text.
std::string_view ServerHostname(const ServerInfoTable& info);

// The inverse of BytesToCodePoints: UTF-8 whose code points are all 0 to 255 back to the bytes.
// Nothing when a code point is above 255 or the UTF-8 is malformed.
std::optional<std::string> CodePointsToBytes(std::string_view utf8);
