// SPDX-License-Identifier: GPL-2.0-or-later
// The program's resources by identifier: string table entries (":/strings.json") and icons
// (":/icons/<id>.png", with an optional 16-pixel image ":/icons/<id>-16.png") and bitmaps
// (":/bitmaps/<id>.dib", packed device-independent bitmaps).
#pragma once

#include "framework/Wnd.h"

#include <cstdint>
#include <string>
#include <vector>

// Empty when the string table has no such entry.
std::string AfxLoadString(UINT id);

// The standard icon's size in pixels, square: what icon controls, icon buttons and a minimised
// window's picture show.
inline constexpr int kStandardIconPixels = 32;

// Null when the program has no such icon. Loaded once; shared and never freed.
HICON AfxLoadIcon(UINT id);

// The bytes of bitmap resource `id`; empty when the program has no such bitmap.
std::vector<std::uint8_t> AfxLoadBitmapBytes(UINT id);
