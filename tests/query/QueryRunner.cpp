// SPDX-License-Identifier: GPL-2.0-or-later
// Runs the built tallyhawk-query as a child process and writes reply fixtures to temporary files.
#include "QueryRunner.h"

#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

TemporaryFile::TemporaryFile(std::string_view bytes)
{
    std::string pattern = "/tmp/tallyhawk-query-test-XXXXXX";
    const int file = mkstemp(pattern.data());
    if (file < 0)
        throw std::runtime_error("mkstemp failed");
    path = pattern;
    if (write(file, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("cannot write " + path);
    close(file);
}

TemporaryFile::~TemporaryFile()
{
    unlink(path.c_str());
}

std::string CodePointsToBytes(const std::string& utf8)
{
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            bytes += static_cast<char>(lead);
        } else if ((lead & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[++i]);
            const unsigned codePoint = ((lead & 0x1Fu) << 6) | (next & 0x3Fu);
            if (codePoint > 0xFF)
                throw std::runtime_error("code point above 255 in reply text");
            bytes += static_cast<char>(codePoint);
        } else {
            throw std::runtime_error("code point above 255 in reply text");
        }
    }
    return bytes;
}
