// SPDX-License-Identifier: GPL-2.0-or-later
// The host's lookup on a thread of its own, then one status exchange over a connected UDP socket:
// send the request (and the ping that fences its reply), collect datagrams by the status core's
// rule until the reply is complete, a quiet period passes or the deadline, which the lookup and
// the exchange share.
#include "query/NetworkReplySource.h"

#include "query/DescriptorHandle.h"
#include "status/ReplyCollector.h"
#include "status/StatusWireFormat.h"

#include <algorithm>
#include <arpa/inet.h>
#include <array>
#include <cerrno>
#include <cstring>
#include <memory>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

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

sockaddr_storage Ipv4Address(in_addr host)
{
    sockaddr_storage storage{};
    auto& address = reinterpret_cast<sockaddr_in&>(storage);
    address.sin_family = AF_INET;
    address.sin_addr = host;
    return storage;
}

// Waits for the lookup until the query's deadline; a resolver that has not answered by then
// fails the query like one that said no, and its thread is left to finish alone.
Result<std::vector<sockaddr_storage>, ReplyFailure>
AwaitAddresses(const ServerAddress& address, BackgroundHostLookup::Work lookUp,
               Clock::time_point deadline, std::chrono::milliseconds timeout)
{
    BackgroundHostLookup lookup(std::move(lookUp), {});
    const std::optional<HostLookupAnswer> answer = lookup.WaitUntil(deadline);
    if (!answer)
        return Fail(ReplyFailure{ExitCode::HostNotResolved,
                                 "no answer from the resolver for host '" + address.host +
                                     "' within " + SecondsText(timeout)});
    if (!answer->addresses.empty())
        return answer->addresses;
    if (!answer->address)
        return Fail(ReplyFailure{ExitCode::HostNotResolved,
                                 "cannot resolve host '" + address.host + "': " + answer->failure});
    return std::vector<sockaddr_storage>{Ipv4Address(*answer->address)};
}

ReplyFailure SocketFailure(const ServerAddress& address, const char* step, int error)
{
    if (error == ECONNREFUSED)
        return {ExitCode::Refused, "nothing is listening at " + EndpointText(address) +
                                       " (the network refused the query)"};
    return {ExitCode::NetworkFailure, std::string(step) + " failed for " + EndpointText(address) +
                                          ": " + std::strerror(error)};
}

// Once a datagram of the reply is in, the rest (and the fence's acknowledgement) are on their
// way, sent back to back: the first part of each further wait is spun rather than slept, since
// on a busy machine a sleeping process waits longer than that for the scheduler to run it again.
// The wait for the first datagram sleeps: a server on the same machine may need the processor.
constexpr std::chrono::microseconds kSpunPartOfWait{250};

enum class WaitStyle
{
    Sleep,
    SpinFirst, // spin kSpunPartOfWait, then sleep
};

// Waits for a datagram on any of the sockets until the deadline: true when one is waiting (its
// revents set), false when none came in time, nothing when poll itself failed. ppoll: the quiet
// period is a few milliseconds, and poll's whole milliseconds would round it up by as much again.
std::optional<bool> WaitReadable(std::vector<pollfd>& sockets, Clock::time_point deadline,
                                 WaitStyle style)
{
    const Clock::time_point spinUntil =
        Clock::now() + (style == WaitStyle::SpinFirst ? kSpunPartOfWait : Clock::duration{});
    while (true) {
        const Clock::time_point now = Clock::now();
        const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - now);
        if (left.count() <= 0)
            return false;
        const bool spin = now < spinUntil;
        const timespec wait{spin ? 0 : static_cast<time_t>(left.count() / 1'000'000'000),
                            spin ? 0 : static_cast<long>(left.count() % 1'000'000'000)};
        const int ready = ppoll(sockets.data(), sockets.size(), &wait, nullptr);
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return std::nullopt;
    }
}

// One server address being asked: its connected socket, or the error that ended it.
struct Attempt
{
    std::unique_ptr<DescriptorHandle> socket;
    int error = 0;
    const char* step = nullptr;
};

// Opens a socket to the host, connected so that only the server's datagrams are read and an
// ICMP refusal is reported, and sends the request: the status request, then (with the fence) the
// ping. No bind: the kernel picks an ephemeral local port, never the window's port 27000.
Attempt Ask(sockaddr_storage host, std::uint16_t port, const QueryRequest& request)
{
    Attempt attempt;
    socklen_t length = sizeof(sockaddr_in);
    if (host.ss_family == AF_INET6) {
        reinterpret_cast<sockaddr_in6&>(host).sin6_port = htons(port);
        length = sizeof(sockaddr_in6);
    } else {
        reinterpret_cast<sockaddr_in&>(host).sin_port = htons(port);
    }
    attempt.socket =
        std::make_unique<DescriptorHandle>(socket(host.ss_family, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    const int udp = attempt.socket->Get();
    const std::string_view statusRequest = StatusRequestFor(request.layout);
    // The ping goes second, so that its acknowledgement comes after the reply. Its send fails
    // the attempt like the request's: on loopback the refusal of the request is already back and
    // is reported there (and the network limits ICMP, so the ping's own may never come).
    if (udp < 0)
        attempt.step = "socket";
    else if (connect(udp, reinterpret_cast<const sockaddr*>(&host), length) != 0)
        attempt.step = "connect";
    else if (send(udp, statusRequest.data(), statusRequest.size(), 0) < 0 ||
             (request.fence == ReplyFence::Ping &&
              send(udp, kPingRequest.data(), kPingRequest.size(), 0) < 0))
        attempt.step = "send";
    if (attempt.step) {
        attempt.error = errno;
        attempt.socket.reset();
    }
    return attempt;
}

// One datagram from the socket: its length (which may exceed the buffer: MSG_TRUNC), nothing
// when none was waiting after all, or the error.
Result<std::optional<std::size_t>, int> ReceiveOne(int udp,
                                                   std::array<char, kMaxDatagramBytes>& buffer)
{
    // MSG_TRUNC makes recv report a longer datagram's real length, so it is refused rather than
    // read cut short. MSG_DONTWAIT: a datagram that poll saw may still be dropped (a bad
    // checksum), and the deadline must hold all the same.
    const ssize_t length = recv(udp, buffer.data(), buffer.size(), MSG_TRUNC | MSG_DONTWAIT);
    if (length < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK))
        return std::optional<std::size_t>();
    if (length < 0)
        return Fail(errno);
    return std::optional<std::size_t>(static_cast<std::size_t>(length));
}

ReplyFailure OversizeFailure(std::size_t length)
{
    return {ExitCode::OversizeDatagram, "reply datagram of " + std::to_string(length) +
                                            " bytes is larger than " +
                                            std::to_string(kMaxDatagramBytes) + " bytes"};
}

// A name with more addresses than this is asked at its first ones only.
constexpr std::size_t kMostAddressesAsked = 8;

// The exchange with the host's addresses known, ending by the query's deadline. Every address
// is asked at once, and the first to answer is the server: its datagrams make the reply, the
// others are dropped. Only when every address has failed does the first failure count.
ReplyResult Exchange(const ServerAddress& address, const std::vector<sockaddr_storage>& hosts,
                     Clock::time_point deadline, const QueryRequest& request)
{
    std::vector<Attempt> attempts;
    for (std::size_t index = 0; index < std::min(hosts.size(), kMostAddressesAsked); ++index)
        attempts.push_back(Ask(hosts[index], address.port, request));
    const Clock::time_point sentAt = Clock::now();
    const auto firstFailure = [&]() -> ReplyResult {
        for (const Attempt& attempt : attempts)
            if (attempt.step)
                return Fail(SocketFailure(address, attempt.step, attempt.error));
        return std::string();
    };

    std::array<char, kMaxDatagramBytes> buffer;
    std::vector<pollfd> waiting;
    std::vector<std::size_t> waitingAttempt;
    int server = -1;
    std::size_t firstLength = 0;
    while (server < 0) {
        waiting.clear();
        waitingAttempt.clear();
        for (std::size_t index = 0; index < attempts.size(); ++index) {
            if (attempts[index].socket) {
                waiting.push_back({attempts[index].socket->Get(), POLLIN, 0});
                waitingAttempt.push_back(index);
            }
        }
        if (waiting.empty())
            return firstFailure();
        const std::optional<bool> readable = WaitReadable(waiting, deadline, WaitStyle::Sleep);
        if (!readable)
            return Fail(SocketFailure(address, "poll", errno));
        if (!*readable)
            return std::string();
        for (std::size_t slot = 0; slot < waiting.size() && server < 0; ++slot) {
            if (waiting[slot].revents == 0)
                continue;
            Attempt& attempt = attempts[waitingAttempt[slot]];
            const auto received = ReceiveOne(waiting[slot].fd, buffer);
            if (!received) {
                attempt.error = received.Error();
                attempt.step = "receive";
                attempt.socket.reset();
            } else if (*received) {
                server = waiting[slot].fd;
                firstLength = **received;
            }
        }
    }

    ReplyCollector collector(request.fence, sentAt, deadline);
    std::size_t length = firstLength;
    std::vector<pollfd> serverSocket{{server, POLLIN, 0}};
    while (true) {
        if (length > kMaxDatagramBytes)
            return Fail(OversizeFailure(length));
        const std::optional<Clock::time_point> waitUntil =
            collector.Take(std::string_view(buffer.data(), length), Clock::now());
        if (!waitUntil)
            break;
        std::optional<std::size_t> next;
        while (!next) {
            const std::optional<bool> readable =
                WaitReadable(serverSocket, *waitUntil, WaitStyle::SpinFirst);
            if (!readable)
                return Fail(SocketFailure(address, "poll", errno));
            if (!*readable)
                return collector.TakeText();
            const auto received = ReceiveOne(server, buffer);
            if (!received)
                return Fail(SocketFailure(address, "receive", received.Error()));
            next = *received;
        }
        length = *next;
    }
    return collector.TakeText();
}

ReplyResult LookUpAndExchange(const ServerAddress& address, BackgroundHostLookup::Work lookUp,
                              Clock::time_point deadline, std::chrono::milliseconds timeout,
                              const QueryRequest& request)
{
    const auto resolved = AwaitAddresses(address, std::move(lookUp), deadline, timeout);
    if (!resolved)
        return Fail(resolved.Error());
    return Exchange(address, *resolved, deadline, request);
}

} // namespace

ReplyResult QueryServer(const ServerAddress& address, std::chrono::milliseconds timeout,
                        const QueryRequest& request)
{
    const Clock::time_point deadline = Clock::now() + timeout;
    // A numeric address needs no resolver, nor a thread to wait for one.
    if (const std::optional<in_addr> numeric = NumericIpv4(address.host))
        return Exchange(address, {Ipv4Address(*numeric)}, deadline, request);
    if (const std::optional<sockaddr_storage> numeric = NumericIpv6(address.host))
        return Exchange(address, {*numeric}, deadline, request);
    return LookUpAndExchange(
        address, [host = address.host] { return LookUpAnyAddress(host); }, deadline, timeout,
        request);
}

ReplyResult QueryServer(const ServerAddress& address, std::chrono::milliseconds timeout,
                        BackgroundHostLookup::Work lookUp, const QueryRequest& request)
{
    return LookUpAndExchange(address, std::move(lookUp), Clock::now() + timeout, timeout, request);
}
