// SPDX-License-Identifier: GPL-2.0-or-later
// QuakeWorld server text made readable: each byte class of the character set, one byte per byte.

#include "status/ReadableText.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct ReadableCase
{
    const char* name;
    std::string bytes;
    std::string shown;
};

TEST(ReadableServerText, ShowsEachByteClassAsItsPlainCharacter)
{
    const ReadableCase cases[] = {
        {"printable ASCII stays", " Lab Red~!", " Lab Red~!"},
        {"high-bit letters lose the bit", "\xCC\x61\x62\xA0\xD2\xE5\xE4", "Lab Red"},
        {"high-bit range ends", std::string("\xA0\xFE", 2), " ~"},
        {"brackets", "\x10\x11\x90\x91", "[][]"},
        {"digits", "\x12\x1B\x92\x9B\x15", "09093"},
        {"dots become the bullet", "\x05\x0E\x0F\x1C\x85\x8E\x8F\x9C", std::string(8, '\x95')},
        {"bar ends and middle", "\x1D\x1E\x1F\x80\x81\x82\x9D\x9E\x9F", "(=)(=)(=)"},
        {"other control bytes", "\x01\x09\x0A\x7F\x83\x8D\xFF", "_______"},
        {"empty", "", ""},
    };
    for (const ReadableCase& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        EXPECT_EQ(ReadableServerText(testCase.bytes), testCase.shown);
    }
}

TEST(ReadableServerText, KeepsOneByteForEveryByte)
{
    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte)
        everyByte.push_back(static_cast<char>(byte));
    const std::string shown = ReadableServerText(everyByte);
    ASSERT_EQ(shown.size(), everyByte.size());
    // Nothing that could steer a terminal or end a C string survives.
    for (char c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        EXPECT_TRUE((byte >= 0x20 && byte <= 0x7E) || byte == 0x95) << int(byte);
    }
}

} // namespace
