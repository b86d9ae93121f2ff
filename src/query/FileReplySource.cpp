#include "FileReplySource.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

ReplyFailure CannotRead(const std::string& path, int error)
{
    return {ExitCode::Usage, "cannot read '" + path + "': " + std::strerror(error)};
}

} // namespace

ReplyResult ReadReplyFile(const std::string& path)
{
    ReplyResult result;
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        result.failure = CannotRead(path, errno);
        return result;
    }
    std::array<char, 65536> buffer;
    while (true) {
        const ssize_t count = read(file, buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            result.failure = CannotRead(path, errno);
            break;
        }
        const std::string_view chunk(buffer.data(), static_cast<std::size_t>(count));
        const std::size_t zero = chunk.find('\0');
        result.text.append(chunk.substr(0, zero));
        if (count == 0 || zero != std::string_view::npos)
            break;
    }
    close(file);
    return result;
}
