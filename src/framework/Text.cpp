// Windows-1252 to Unicode and back, one byte to one character.
#include "framework/Text.h"

#include <array>

namespace {

// Code points of the bytes 0x80 to 0x9F; the five undefined bytes keep their own value.
constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char ByteForCodePoint(char16_t codePoint)
{
    if (codePoint == 0)
        return '?';
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    for (std::size_t index = 0; index < kHighControlRange.size(); ++index) {
        if (kHighControlRange[index] == codePoint)
            return static_cast<char>(0x80 + index);
    }
    return '?';
}

} // namespace

QString ToUnicode(const std::string& bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char byte : bytes) {
        auto value = static_cast<unsigned char>(byte);
        if (value >= 0x80 && value < 0xA0)
            text.append(QChar(kHighControlRange[value - 0x80]));
        else
            text.append(QChar(static_cast<char16_t>(value)));
    }
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
        bytes.push_back(ByteForCodePoint(character.unicode()));
    }
    return bytes;
}
