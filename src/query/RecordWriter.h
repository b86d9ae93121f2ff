// SPDX-License-Identifier: GPL-2.0-or-later
// Appends match-record lines to a file so that a kill at any moment loses at most the line being
// written: one write() per line, straight to the kernel, no buffering in the process.
#pragma once

#include "status/Result.h"

#include <memory>
#include <string>
#include <string_view>

class RecordWriter
{
public:
    // Opens (or creates, mode 0644 before the umask) the file for appending. If it ends in a
    // torn line, the first line written starts with a newline so that it stays whole. Fails
    // with a sentence naming the file and the system's reason.
    static Result<std::unique_ptr<RecordWriter>> Open(const std::string& path);
    ~RecordWriter();
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    // Writes one whole line (it must end in '\n'). Fails, naming the file and the reason, when
    // the write fails or is short (a full disk) or the file has been removed with its folder;
    // the caller stops recording then.
    Result<bool> Append(std::string_view line);

    const std::string& Path() const { return path; }

private:
    RecordWriter(int descriptor, std::string path, bool startWithNewline);

    int descriptor;
    std::string path;
    bool startWithNewline;
    std::string pending; // the line with its leading newline, reused between appends
};
