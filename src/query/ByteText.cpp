// SPDX-License-Identifier: GPL-2.0-or-later
// Reply bytes to UTF-8: as their own code points for JSON, and through the Windows-1252 table
// with every control shown as a visible character for the terminal.
#include "query/ByteText.h"

#include "status/ReadableText.h"
#include "status/ServerInfoTable.h"
#include "status/Windows1252.h"

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
        char32_t codePoint = Windows1252ToUnicode(static_cast<std::uint8_t>(c));
        // C0 and C1 controls: the five undefined bytes map to C1.
        if (codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0))
            codePoint = '?';
        AppendUtf8(out, codePoint);
    }
    return out;
}

std::string ReadableTextUtf8(std::string_view bytes)
{
    return BytesToTerminalText(ReadableServerText(bytes));
}

std::string_view ServerHostname(const ServerInfoTable& info)
{
    std::string_view hostname;
    for (std::int32_t pair = 0; pair < info.infoCount; ++pair)
        if (info.infoKeys[pair] == "hostname")
            hostname = info.infoValues[pair];
    return hostname;
}

std::optional<std::string> CodePointsToBytes(std::string_view utf8)
{
    std::string bytes;
    bytes.reserve(utf8.size());
    for (std::size_t index = 0; index < utf8.size(); ++index) {
        const auto lead = static_cast<std::uint8_t>(utf8[index]);
        unsigned codePoint = lead;
        if (lead >= 0x80) {
            // Only C2 and C3 lead the two-byte forms of U+0080 to U+00FF.
            if ((lead != 0xC2 && lead != 0xC3) || index + 1 >= utf8.size())
                return std::nullopt;
            const auto next = static_cast<std::uint8_t>(utf8[++index]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            codePoint = ((lead & 0x1Fu) << 6) | (next & 0x3Fu);
        }
        if (codePoint == 0) // the system's strings never hold a zero byte
            return std::nullopt;
        bytes += static_cast<char>(codePoint);
    }
    return bytes;
}
