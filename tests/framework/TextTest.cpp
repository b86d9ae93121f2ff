// SPDX-License-Identifier: GPL-2.0-or-later
// The 8-bit text boundary: every byte round-trips; foreign characters become '?'.
#include "framework/Text.h"

#include <gtest/gtest.h>

TEST(Text, EveryNonZeroByteRoundTrips)
{
    std::string bytes;
    for (int value = 1; value < 256; ++value)
        bytes.push_back(static_cast<char>(value));
    EXPECT_EQ(ToBytes(ToUnicode(bytes)), bytes);
}

TEST(Text, HighBytesAreWindows1252)
{
    EXPECT_EQ(ToUnicode("\x80\x93\x94\xE9"), QString::fromUtf8("€“”é"));
    EXPECT_EQ(ToUnicode("\x81\x8D\x8F\x90\x9D"),
              QString(QChar(0x81)) + QChar(0x8D) + QChar(0x8F) + QChar(0x90) + QChar(0x9D));
    EXPECT_EQ(ToBytes(QString::fromUtf8("€ é")), "\x80 \xE9");
}

TEST(Text, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(ToBytes(QString::fromUtf8("ł😀")), "??");
    EXPECT_EQ(ToBytes(QString(QChar(0)) + "a"), "?a");
}
