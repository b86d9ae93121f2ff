// SPDX-License-Identifier: GPL-2.0-or-later
// Server text (names, skins, serverinfo values) in the QuakeWorld character set, made readable:
// the game's coloured and decorated bytes become the plain characters every QuakeWorld tool shows.
// For display only; matching (skin teams, "hostname") stays on the received bytes.
#pragma once

#include <string>
#include <string_view>

// One byte in, one byte out, so column widths stay byte counts: 0xA0-0xFE lose their high bit,
// 0x10/0x11 (and 0x90/0x91) read as brackets, 0x12-0x1B (and 0x92-0x9B) as digits, the dots
// 0x05, 0x0E, 0x0F, 0x1C (and mirrors) as the Windows-1252 bullet 0x95, 0x1D-0x1F and
// 0x80-0x82 (and 0x9D-0x9F) as "(=)"; printable ASCII stays; every other control byte reads '_'.
std::string ReadableServerText(std::string_view bytes);
