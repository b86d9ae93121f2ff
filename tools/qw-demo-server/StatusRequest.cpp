// SPDX-License-Identifier: GPL-2.0-or-later
// Reading the status command and its flags out of a request datagram.
#include "qw-demo-server/StatusRequest.h"

#include "status/DecimalText.h"
#include "status/StatusWireFormat.h"

namespace {

bool IsSeparator(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view NextWord(std::string_view& line)
{
    std::size_t start = 0;
    while (start < line.size() && IsSeparator(line[start]))
        ++start;
    std::size_t end = start;
    while (end < line.size() && !IsSeparator(line[end]))
        ++end;
    const std::string_view word = line.substr(start, end - start);
    line.remove_prefix(end);
    return word;
}

// The command line of an out-of-band datagram, up to its first line feed or zero byte.
std::optional<std::string_view> CommandLine(std::string_view datagram)
{
    if (!datagram.starts_with(kOutOfBandMarker))
        return std::nullopt;
    const std::string_view line = datagram.substr(kOutOfBandMarker.size());
    return line.substr(0, line.find_first_of(std::string_view("\n\0", 2)));
}

} // namespace

std::optional<int> ReadStatusRequest(std::string_view datagram)
{
    std::optional<std::string_view> line = CommandLine(datagram);
    if (!line || NextWord(*line) != "status")
        return std::nullopt;
    return DecimalTextToInt(NextWord(*line));
}

bool IsPingRequest(std::string_view datagram)
{
    std::optional<std::string_view> line = CommandLine(datagram);
    if (!line)
        return false;
    const std::string_view command = NextWord(*line);
    return command == "ping" || command == "k";
}
