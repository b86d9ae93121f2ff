#include "ByteText.h"

#include <array>
#include <cstdint>

namespace {

void AppendUtf8(std::string& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// Windows-1252 at 0x80 to 0x9F; 0 marks the five undefined bytes.
constexpr std::array<char16_t, 32> kWindows1252High{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

} // namespace

std::string BytesToCodePoints(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes)
        AppendUtf8(out, static_cast<std::uint8_t>(c));
    return out;
}

std::string BytesToTerminalText(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        char32_t codePoint = byte;
        if (byte >= 0x80 && byte < 0xA0)
            codePoint = kWindows1252High[byte - 0x80];
        if (byte < 0x20 || byte == 0x7F || codePoint == 0)
            codePoint = '?';
        AppendUtf8(out, codePoint);
    }
    return out;
}
