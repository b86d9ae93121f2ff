// SPDX-License-Identifier: GPL-2.0-or-later
// The one Windows-1252 table: every byte has its own character and comes back from it.
#include "status/Windows1252.h"

#include <gtest/gtest.h>
#include <set>

TEST(Windows1252Test, EveryByteHasItsOwnCharacterAndComesBack)
{
    std::set<char16_t> characters;
    for (int value = 0; value < 256; ++value) {
        const auto byte = static_cast<std::uint8_t>(value);
        const char16_t character = Windows1252ToUnicode(byte);
        characters.insert(character);
        EXPECT_EQ(UnicodeToWindows1252(character), byte) << value;
    }
    EXPECT_EQ(characters.size(), 256u);
}

TEST(Windows1252Test, HighRangeAndForeignCharacters)
{
    EXPECT_EQ(Windows1252ToUnicode(0x80), u'€');
    EXPECT_EQ(Windows1252ToUnicode(0x9F), u'Ÿ');
    EXPECT_EQ(Windows1252ToUnicode(0x81), 0x81); // undefined: the C1 character of its value
    EXPECT_EQ(Windows1252ToUnicode(0xE9), u'é');
    EXPECT_EQ(UnicodeToWindows1252(U'ł'), std::nullopt);
    EXPECT_EQ(UnicodeToWindows1252(0x0080), std::nullopt); // C1 80 is not a byte: € took it
    EXPECT_EQ(UnicodeToWindows1252(U'😀'), std::nullopt);
}
