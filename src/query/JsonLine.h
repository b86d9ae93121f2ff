// SPDX-License-Identifier: GPL-2.0-or-later
// One compact JSON value written straight into a string, member by member: a query prints one
// document and exits, so building a tree of values only to serialise and free it would cost more
// than the rest of its output.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class JsonLine
{
public:
    explicit JsonLine(std::size_t capacity = 256) { m_text.reserve(capacity); }

    JsonLine& BeginObject() { return Open('{'); }
    JsonLine& EndObject() { return Close('}'); }
    JsonLine& BeginArray() { return Open('['); }
    JsonLine& EndArray() { return Close(']'); }

    // A member's name, written as given: the names are this program's own ASCII.
    JsonLine& Key(std::string_view name);

    // Server bytes as a string: each byte as the code point of the same value, with '"', '\\'
    // and every C0 and C1 control escaped, so that no byte of the output acts on a terminal.
    JsonLine& Bytes(std::string_view bytes);
    JsonLine& Number(std::int64_t value);
    JsonLine& Bool(bool value);
    JsonLine& Null();

    // A member: its name, then its value.
    JsonLine& Bytes(std::string_view name, std::string_view bytes)
    {
        return Key(name).Bytes(bytes);
    }
    JsonLine& Number(std::string_view name, std::int64_t value) { return Key(name).Number(value); }
    JsonLine& Bool(std::string_view name, bool value) { return Key(name).Bool(value); }

    std::string Take() { return std::move(m_text); }

private:
    JsonLine& Open(char bracket);
    JsonLine& Close(char bracket);
    void BeforeValue();

    std::string m_text;
    bool m_afterValue = false; // the next member or element needs a comma first
};
