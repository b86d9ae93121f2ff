// SPDX-License-Identifier: GPL-2.0-or-later
// Runs the built tallyhawk-query from tests, and writes reply fixtures to temporary files.
#pragma once

#include "ChildProcess.h"

#include <string>
#include <string_view>
#include <vector>

inline ProcessResult RunQuery(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), TALLYHAWK_QUERY_PATH);
    return RunProcess(arguments);
}

// A file holding the bytes, removed when the object ends.
class TemporaryFile
{
public:
    explicit TemporaryFile(std::string_view bytes);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& Path() const { return path; }

private:
    std::string path;
};

// JSON strings hold each reply byte as the code point of the same value: back to the bytes.
std::string CodePointsToBytes(const std::string& utf8);
