// SPDX-License-Identifier: GPL-2.0-or-later
// Reading a saved reply: non-blocking and polled, so a FIFO or a slow file is bounded by the
// timeout like a network reply, and cut at its first zero byte and at the reply cap.
#include "query/FileReplySource.h"

#include "query/DescriptorHandle.h"
#include "status/ReplyDatagram.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

ReplyFailure CannotRead(const std::string& path, int error)
{
    return {ExitCode::Usage, "cannot read '" + path + "': " + std::strerror(error)};
}

} // namespace

ReplyResult ReadReplyFile(const std::string& path, std::chrono::milliseconds timeout)
{
    std::string text;
    const Clock::time_point deadline = Clock::now() + timeout;
    // Non-blocking, so that opening a FIFO does not wait for a writer and every read is bounded
    // by the deadline through poll.
    const DescriptorHandle file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Get() < 0)
        return Fail(CannotRead(path, errno));
    std::array<char, 4096> buffer;
    while (text.size() < kMaxReplyTextBytes) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            break;
        pollfd readable{file.Get(), POLLIN, 0};
        const int ready = poll(&readable, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno != EINTR)
            return Fail(CannotRead(path, errno));
        if (ready <= 0)
            continue;
        const std::size_t room = std::min(buffer.size(), kMaxReplyTextBytes - text.size());
        const ssize_t count = read(file.Get(), buffer.data(), room);
        if (count < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK))
            continue;
        if (count < 0)
            return Fail(CannotRead(path, errno));
        const std::string_view chunk(buffer.data(), static_cast<std::size_t>(count));
        const std::size_t zero = chunk.find('\0');
        text.append(chunk.substr(0, zero));
        if (count == 0 || zero != std::string_view::npos)
            break;
    }
    return text;
}
