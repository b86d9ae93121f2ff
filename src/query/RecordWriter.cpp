// SPDX-License-Identifier: GPL-2.0-or-later
// Appending record lines with plain POSIX calls: O_APPEND puts every write at the end, and a
// write that reached the kernel survives the process being killed.
#include "query/RecordWriter.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string SystemReason(int error)
{
    return std::strerror(error);
}

// True when the file is not empty and its last byte is not a newline: a torn line.
bool EndsInTornLine(int descriptor)
{
    struct stat status
    {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size == 0)
        return false;
    char last = '\n';
    return pread(descriptor, &last, 1, status.st_size - 1) == 1 && last != '\n';
}

} // namespace

Result<std::unique_ptr<RecordWriter>> RecordWriter::Open(const std::string& path)
{
    const int descriptor = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return Fail(path + ": cannot be opened for recording: " + SystemReason(errno));
    // pread needs read access; a write-only descriptor cannot look at the last byte.
    bool torn = false;
    if (const int reader = open(path.c_str(), O_RDONLY | O_CLOEXEC); reader >= 0) {
        torn = EndsInTornLine(reader);
        close(reader);
    }
    return std::unique_ptr<RecordWriter>(new RecordWriter(descriptor, path, torn));
}

RecordWriter::RecordWriter(int descriptor, std::string path, bool startWithNewline)
    : descriptor(descriptor), path(std::move(path)), startWithNewline(startWithNewline)
{}

RecordWriter::~RecordWriter()
{
    close(descriptor);
}

Result<bool> RecordWriter::Append(std::string_view line)
{
    std::string_view bytes = line;
    if (startWithNewline) {
        pending.assign(1, '\n');
        pending.append(line);
        bytes = pending;
    }
    // One write per line, so a kill leaves the line whole or torn at its end, never interleaved.
    ssize_t written = -1;
    do {
        written = write(descriptor, bytes.data(), bytes.size());
    } while (written < 0 && errno == EINTR);
    if (written < 0)
        return Fail(path + ": recording failed: " + SystemReason(errno));
    if (static_cast<std::size_t>(written) != bytes.size()) {
        // A short write to a regular file means the disk is full; the tail of the line is torn
        // and the next recording starts on a new line.
        return Fail(path + ": recording failed: " + SystemReason(ENOSPC));
    }
    startWithNewline = false;
    // Writes to a file whose folder was removed succeed and vanish with the last descriptor.
    struct stat status
    {};
    if (fstat(descriptor, &status) == 0 && status.st_nlink == 0)
        return Fail(path + ": recording failed: the file or its folder was removed");
    return true;
}
