// SPDX-License-Identifier: GPL-2.0-or-later
// The host's lookup on a thread of its own, then one status exchange over a connected UDP socket:
// send the request, collect datagrams by the status core's rule until the reply is complete, a
// quiet period passes or the deadline, which the lookup and the exchange share.
#include "query/NetworkReplySource.h"

#include "query/DescriptorHandle.h"
#include "status/ReplyDatagram.h"
#include "status/StatusWireFormat.h"

#include <algorithm>
#include <arpa/inet.h>
#include <array>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

std::string Endpoint(const ServerAddress& address)
{
    return address.host + ":" + std::to_string(address.port);
}

// "2 s", "0.5 s": the timeout as a person gave it.
std::string SecondsText(std::chrono::milliseconds timeout)
{
    std::string text = std::to_string(timeout.count() / 1000);
    if (const auto fraction = timeout.count() % 1000; fraction != 0) {
        std::string digits = std::to_string(1000 + fraction).substr(1);
        digits.erase(digits.find_last_not_of('0') + 1);
        text += "." + digits;
    }
    return text + " s";
}

// Waits for the lookup until the query's deadline; a resolver that has not answered by then
// fails the query like one that said no, and its thread is left to finish alone.
Result<in_addr, ReplyFailure> AwaitAddress(const ServerAddress& address,
                                           BackgroundHostLookup::Work lookUp,
                                           Clock::time_point deadline,
                                           std::chrono::milliseconds timeout)
{
    BackgroundHostLookup lookup(std::move(lookUp), {});
    const std::optional<HostLookupAnswer> answer = lookup.WaitUntil(deadline);
    if (!answer)
        return Fail(ReplyFailure{ExitCode::HostNotResolved,
                                 "no answer from the resolver for host '" + address.host +
                                     "' within " + SecondsText(timeout)});
    if (!answer->address)
        return Fail(ReplyFailure{ExitCode::HostNotResolved,
                                 "cannot resolve host '" + address.host + "': " + answer->failure});
    return *answer->address;
}

ReplyFailure SocketFailure(const ServerAddress& address, const char* step, int error)
{
    if (error == ECONNREFUSED)
        return {ExitCode::Refused, "nothing is listening at " + Endpoint(address) +
                                       " (the network refused the query)"};
    return {ExitCode::NetworkFailure,
            std::string(step) + " failed for " + Endpoint(address) + ": " + std::strerror(error)};
}

// Waits for a datagram until the deadline: true when one is waiting, false when none came in
// time, nothing when poll itself failed. ppoll: the quiet period is a few milliseconds, and
// poll's whole milliseconds would round it up by as much again.
std::optional<bool> WaitReadable(int socket, Clock::time_point deadline)
{
    while (true) {
        const auto left =
            std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        const timespec wait{static_cast<time_t>(left.count() / 1'000'000'000),
                            static_cast<long>(left.count() % 1'000'000'000)};
        pollfd waiting{socket, POLLIN, 0};
        const int ready = ppoll(&waiting, 1, &wait, nullptr);
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return std::nullopt;
    }
}

// The exchange with the host's address known, ending by the query's deadline.
ReplyResult Exchange(const ServerAddress& address, in_addr host, Clock::time_point deadline)
{
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr = host;
    peer.sin_port = htons(address.port);

    // Connected, so that only the server's datagrams are read and an ICMP refusal is reported.
    // No bind: the kernel picks an ephemeral local port, never the window's port 27000.
    DescriptorHandle socketHandle(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    const int udp = socketHandle.Get();
    if (udp < 0)
        return Fail(SocketFailure(address, "socket", errno));
    if (connect(udp, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0)
        return Fail(SocketFailure(address, "connect", errno));
    if (send(udp, kStatusRequest.data(), kStatusRequest.size(), 0) < 0)
        return Fail(SocketFailure(address, "send", errno));

    const Clock::time_point sentAt = Clock::now();
    std::optional<std::chrono::microseconds> quietPeriod; // set by the first datagram
    Clock::time_point waitUntil = deadline;
    std::string replyText;
    std::array<char, kMaxDatagramBytes> buffer;
    while (true) {
        const std::optional<bool> readable = WaitReadable(udp, waitUntil);
        if (!readable)
            return Fail(SocketFailure(address, "poll", errno));
        if (!*readable)
            break;
        // MSG_TRUNC makes recv report a longer datagram's real length, so it is refused rather
        // than read cut short. MSG_DONTWAIT: a datagram that poll saw may still be dropped (a bad
        // checksum), and the deadline must hold all the same.
        const ssize_t length = recv(udp, buffer.data(), buffer.size(), MSG_TRUNC | MSG_DONTWAIT);
        if (length < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK))
            continue;
        if (length < 0)
            return Fail(SocketFailure(address, "receive", errno));
        if (static_cast<std::size_t>(length) > kMaxDatagramBytes) {
            return Fail(ReplyFailure{ExitCode::OversizeDatagram,
                                     "reply datagram of " + std::to_string(length) +
                                         " bytes is larger than " +
                                         std::to_string(kMaxDatagramBytes) + " bytes"});
        }
        // A datagram of no bytes ends the exchange, as it does in the window.
        if (length == 0)
            break;
        const ReplyVerdict verdict = AppendReplyDatagram(
            replyText, std::string_view(buffer.data(), static_cast<std::size_t>(length)));
        if (verdict == ReplyVerdict::Complete)
            break;
        const Clock::time_point arrived = Clock::now();
        if (!quietPeriod)
            quietPeriod = ReplyQuietPeriod(arrived - sentAt);
        waitUntil = std::min(deadline, arrived + *quietPeriod);
    }
    return replyText;
}

ReplyResult LookUpAndExchange(const ServerAddress& address, BackgroundHostLookup::Work lookUp,
                              Clock::time_point deadline, std::chrono::milliseconds timeout)
{
    const auto resolved = AwaitAddress(address, std::move(lookUp), deadline, timeout);
    if (!resolved)
        return Fail(resolved.Error());
    return Exchange(address, *resolved, deadline);
}

} // namespace

ReplyResult QueryServer(const ServerAddress& address, std::chrono::milliseconds timeout)
{
    const Clock::time_point deadline = Clock::now() + timeout;
    // A numeric address needs no resolver, nor a thread to wait for one.
    if (const std::optional<in_addr> numeric = NumericIpv4(address.host))
        return Exchange(address, *numeric, deadline);
    return LookUpAndExchange(
        address, [host = address.host] { return LookUpIpv4(host); }, deadline, timeout);
}

ReplyResult QueryServer(const ServerAddress& address, std::chrono::milliseconds timeout,
                        BackgroundHostLookup::Work lookUp)
{
    return LookUpAndExchange(address, std::move(lookUp), Clock::now() + timeout, timeout);
}
