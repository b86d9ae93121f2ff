// SPDX-License-Identifier: GPL-2.0-or-later
// Reading a typed integer the way the data exchange does: blanks and tabs, an optional sign,
// digits (saturating at the signed 32-bit bounds), then only blanks and tabs. A value of 0
// counts only when the first character after the leading blanks is the digit '0'.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The exchange reads at most this many characters of the control's text.
inline constexpr std::size_t kMaxIntegerTextLength = 31;

std::optional<std::int32_t> ParseIntegerText(std::string_view text);
