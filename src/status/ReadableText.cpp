// SPDX-License-Identifier: GPL-2.0-or-later
// The QuakeWorld character set to readable 8-bit text, one byte per byte.
#include "status/ReadableText.h"

#include <array>
#include <cstdint>

namespace {

constexpr char kBullet = '\x95'; // Windows-1252 bullet

constexpr std::array<char, 256> MakeTable()
{
    std::array<char, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        const int low = byte & 0x7F;
        char shown = '_';
        if (low >= 0x20 && low <= 0x7E && (byte < 0x80 || byte >= 0xA0))
            shown = static_cast<char>(low);
        else if (low == 0x10)
            shown = '[';
        else if (low == 0x11)
            shown = ']';
        else if (low >= 0x12 && low <= 0x1B)
            shown = static_cast<char>('0' + (low - 0x12));
        else if (low == 0x05 || low == 0x0E || low == 0x0F || low == 0x1C)
            shown = kBullet;
        else if (low == 0x1D || (byte == 0x80))
            shown = '(';
        else if (low == 0x1E || (byte == 0x81))
            shown = '=';
        else if (low == 0x1F || (byte == 0x82))
            shown = ')';
        table[static_cast<std::size_t>(byte)] = shown;
    }
    return table;
}

constexpr std::array<char, 256> kReadable = MakeTable();

} // namespace

std::string ReadableServerText(std::string_view bytes)
{
    std::string text(bytes.size(), '_');
    for (std::size_t index = 0; index < bytes.size(); ++index)
        text[index] = kReadable[static_cast<std::uint8_t>(bytes[index])];
    return text;
}
