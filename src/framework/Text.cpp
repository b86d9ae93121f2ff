// SPDX-License-Identifier: GPL-2.0-or-later
// Windows-1252 to Unicode and back, one byte to one character.
#include "framework/Text.h"

#include "status/Windows1252.h"

#include <cstdint>

QString ToUnicode(const std::string& bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char byte : bytes)
        text.append(QChar(Windows1252ToUnicode(static_cast<std::uint8_t>(byte))));
    return text;
}

std::string ToBytes(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype index = 0; index < text.size(); ++index) {
        QChar character = text.at(index);
        // A surrogate pair is one character outside the code page: one '?', not two.
        if (character.isHighSurrogate() && index + 1 < text.size() &&
            text.at(index + 1).isLowSurrogate())
            ++index;
        // The program's strings never hold a zero byte.
        const auto byte = UnicodeToWindows1252(character.unicode());
        bytes.push_back(byte && *byte != 0 ? static_cast<char>(*byte) : '?');
    }
    return bytes;
}
