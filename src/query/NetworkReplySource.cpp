// One status exchange over a connected UDP socket: send the request, collect datagrams by the
// status core's rule until the reply is complete, a quiet period passes or the deadline.
#include "query/NetworkReplySource.h"

#include "query/DescriptorHandle.h"
#include "status/ReplyDatagram.h"
#include "status/StatusWireFormat.h"

#include <algorithm>
#include <arpa/inet.h>
#include <array>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// After a datagram that may be followed by more, how long to wait for the next one. A server
// sends the datagrams of one reply back to back, so they arrive within a fraction of the
// exchange's own round trip: a small multiple of it is ample, with a floor for timer and
// scheduling noise on a fast path and a ceiling for a slow first answer.
constexpr int kQuietRoundTrips = 2;
constexpr std::chrono::microseconds kQuietFloor{3000};
constexpr std::chrono::microseconds kQuietCeiling{50000};

std::chrono::microseconds QuietPeriod(Clock::duration roundTrip)
{
    return std::clamp(std::chrono::duration_cast<std::chrono::microseconds>(roundTrip) *
                          kQuietRoundTrips,
                      kQuietFloor, kQuietCeiling);
}

std::string Endpoint(const ServerAddress& address)
{
    return address.host + ":" + std::to_string(address.port);
}

Result<sockaddr_in, ReplyFailure> Resolve(const ServerAddress& address)
{
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(address.port);
    // A dotted address needs no resolver at all.
    if (inet_pton(AF_INET, address.host.c_str(), &peer.sin_addr) == 1)
        return peer;

    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    const int status = getaddrinfo(address.host.c_str(), nullptr, &hints, &found);
    if (status != 0 || found == nullptr)
        return Fail(ReplyFailure{ExitCode::HostNotResolved, "cannot resolve host '" + address.host +
                                                                "': " + gai_strerror(status)});
    std::memcpy(&peer, found->ai_addr, sizeof peer);
    freeaddrinfo(found);
    peer.sin_port = htons(address.port);
    return peer;
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

} // namespace

ReplyResult QueryServer(const ServerAddress& address, std::chrono::milliseconds timeout)
{
    const auto resolved = Resolve(address);
    if (!resolved)
        return Fail(resolved.Error());
    const sockaddr_in peer = *resolved;

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
    const Clock::time_point deadline = sentAt + timeout;
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
            quietPeriod = QuietPeriod(arrived - sentAt);
        waitUntil = std::min(deadline, arrived + *quietPeriod);
    }
    return replyText;
}
