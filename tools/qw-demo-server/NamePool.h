// SPDX-License-Identifier: GPL-2.0-or-later
// Player names as QuakeWorld players pick them: plain, with spaces, with high-bit (coloured)
// letters and with the console's special glyph bytes, never holding a byte that breaks a status
// line or a userinfo string.
#pragma once

#include <random>
#include <string>
#include <vector>

inline constexpr std::size_t kMaxNameBytes = 31;

// True if the text can stand as a name or skin in a status line.
bool IsValidNameText(const std::string& text);

// count distinct names drawn from the pool in random order; names beyond the pool get a number.
// With longNames every name is filled up to kMaxNameBytes.
std::vector<std::string> PickNames(std::size_t count, bool longNames, std::mt19937& random);
