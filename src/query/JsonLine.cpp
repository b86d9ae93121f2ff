// SPDX-License-Identifier: GPL-2.0-or-later
// Escapes as the JSON library's compact dump does (short forms for \b \f \n \r \t, lower-case
// \u00XX for the other C0 controls), and the C1 controls the same way.
#include "query/JsonLine.h"

#include <charconv>

namespace {

void AppendControlEscape(std::string& out, unsigned char byte)
{
    static constexpr char kHexDigits[] = "0123456789abcdef";
    const char escape[] = {'\\', 'u', '0', '0', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
    out.append(escape, sizeof escape);
}

} // namespace

JsonLine& JsonLine::Key(std::string_view name)
{
    BeforeValue();
    m_text += '"';
    m_text += name;
    m_text += "\":";
    m_afterValue = false;
    return *this;
}

JsonLine& JsonLine::Bytes(std::string_view bytes)
{
    BeforeValue();
    m_text += '"';
    std::size_t plainFrom = 0; // printable ASCII is copied in runs
    for (std::size_t index = 0; index < bytes.size(); ++index) {
        const auto byte = static_cast<unsigned char>(bytes[index]);
        if (byte >= 0x20 && byte < 0x80 && byte != '"' && byte != '\\')
            continue;
        m_text.append(bytes.substr(plainFrom, index - plainFrom));
        plainFrom = index + 1;
        switch (byte) {
        case '"':
            m_text += "\\\"";
            break;
        case '\\':
            m_text += "\\\\";
            break;
        case '\b':
            m_text += "\\b";
            break;
        case '\f':
            m_text += "\\f";
            break;
        case '\n':
            m_text += "\\n";
            break;
        case '\r':
            m_text += "\\r";
            break;
        case '\t':
            m_text += "\\t";
            break;
        default:
            if (byte < 0xA0) { // the other C0 controls, and the C1 controls
                AppendControlEscape(m_text, byte);
            } else { // U+00A0 to U+00FF in UTF-8
                m_text += static_cast<char>(0xC0 | (byte >> 6));
                m_text += static_cast<char>(0x80 | (byte & 0x3F));
            }
        }
    }
    m_text.append(bytes.substr(plainFrom));
    m_text += '"';
    m_afterValue = true;
    return *this;
}

JsonLine& JsonLine::Number(std::int64_t value)
{
    BeforeValue();
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    m_text.append(digits, end);
    m_afterValue = true;
    return *this;
}

JsonLine& JsonLine::Bool(bool value)
{
    BeforeValue();
    m_text += value ? "true" : "false";
    m_afterValue = true;
    return *this;
}

JsonLine& JsonLine::Null()
{
    BeforeValue();
    m_text += "null";
    m_afterValue = true;
    return *this;
}

JsonLine& JsonLine::Open(char bracket)
{
    BeforeValue();
    m_text += bracket;
    m_afterValue = false;
    return *this;
}

JsonLine& JsonLine::Close(char bracket)
{
    m_text += bracket;
    m_afterValue = true;
    return *this;
}

void JsonLine::BeforeValue()
{
    if (m_afterValue)
        m_text += ',';
}
