// SPDX-License-Identifier: GPL-2.0-or-later
// The demo server's loop: answer status requests (and pings) on one UDP socket, IPv4 or IPv6,
// while the match advances; SIGINT and SIGTERM are taken only inside ppoll, so a stop is never
// missed.
#include "qw-demo-server/DemoServer.h"

#include "qw-demo-server/PickupMatch.h"
#include "qw-demo-server/StatusReplyWriter.h"
#include "qw-demo-server/StatusRequest.h"
#include "status/StatusWireFormat.h"

#include <arpa/inet.h>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <iostream>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t stopRequested = 0;

void OnStopSignal(int)
{
    stopRequested = 1;
}

// The stop signals stay blocked except while waiting in ppoll, so a signal can never slip in
// between the check of the flag and the wait.
sigset_t InstallStopSignals()
{
    struct sigaction action
    {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigset_t waitMask;
    sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
    sigdelset(&waitMask, SIGINT);
    sigdelset(&waitMask, SIGTERM);
    return waitMask;
}

// "127.0.0.1:27500", "[::1]:27500".
std::string Describe(const sockaddr_storage& address)
{
    char text[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET6) {
        const auto& ipv6 = reinterpret_cast<const sockaddr_in6&>(address);
        inet_ntop(AF_INET6, &ipv6.sin6_addr, text, sizeof text);
        return "[" + std::string(text) + "]:" + std::to_string(ntohs(ipv6.sin6_port));
    }
    const auto& ipv4 = reinterpret_cast<const sockaddr_in&>(address);
    inet_ntop(AF_INET, &ipv4.sin_addr, text, sizeof text);
    return std::string(text) + ":" + std::to_string(ntohs(ipv4.sin_port));
}

// The bind address as a socket address, or a message saying why it cannot be one. Only
// loopback: the demo server is for this machine's demos and tests.
std::optional<socklen_t> LoopbackAddress(const DemoServerOptions& options,
                                         sockaddr_storage& address)
{
    const auto port = htons(static_cast<std::uint16_t>(options.port));
    auto& ipv4 = reinterpret_cast<sockaddr_in&>(address);
    auto& ipv6 = reinterpret_cast<sockaddr_in6&>(address);
    if (inet_pton(AF_INET, options.bindAddress.c_str(), &ipv4.sin_addr) == 1) {
        ipv4.sin_family = AF_INET;
        ipv4.sin_port = port;
        if ((ntohl(ipv4.sin_addr.s_addr) >> 24) == 127)
            return sizeof(sockaddr_in);
    } else if (inet_pton(AF_INET6, options.bindAddress.c_str(), &ipv6.sin6_addr) == 1) {
        ipv6.sin6_family = AF_INET6;
        ipv6.sin6_port = port;
        if (IN6_IS_ADDR_LOOPBACK(&ipv6.sin6_addr))
            return sizeof(sockaddr_in6);
    } else {
        std::cerr << "qw-demo-server: '" << options.bindAddress
                  << "' is not an IPv4 or IPv6 address\n";
        return std::nullopt;
    }
    std::cerr << "qw-demo-server: " << options.bindAddress
              << " is not a loopback address (127.x.x.x or ::1)\n";
    return std::nullopt;
}

int OpenSocket(const DemoServerOptions& options, sockaddr_storage& bound)
{
    sockaddr_storage address{};
    const std::optional<socklen_t> addressLength = LoopbackAddress(options, address);
    if (!addressLength)
        return -1;
    const int udp = socket(address.ss_family, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (udp < 0) {
        std::cerr << "qw-demo-server: socket failed: " << std::strerror(errno) << "\n";
        return -1;
    }
    if (bind(udp, reinterpret_cast<const sockaddr*>(&address), *addressLength) != 0) {
        std::cerr << "qw-demo-server: cannot listen on " << Describe(address) << ": "
                  << std::strerror(errno) << "\n";
        close(udp);
        return -1;
    }
    socklen_t length = sizeof bound;
    getsockname(udp, reinterpret_cast<sockaddr*>(&bound), &length);
    return udp;
}

std::string Printable(std::string_view bytes)
{
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte < 127 && byte != '\\') {
            text += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            text += escaped;
        }
    }
    return text;
}

} // namespace

int RunDemoServer(const DemoServerOptions& options)
{
    const sigset_t waitMask = InstallStopSignals();
    sockaddr_storage bound{};
    const int udp = OpenSocket(options, bound);
    if (udp < 0)
        return 1;
    std::cerr << "listening on " << Describe(bound) << std::endl;

    const MatchSettings settings = SettingsForScenario(options.scenario, options.match);
    SimulatedMatch match(settings);
    PickupMatch pickup(options.match);
    std::mt19937 garbageRandom(settings.seed);
    const Clock::time_point start = Clock::now();
    const std::optional<Clock::time_point> stopAt =
        options.maxSeconds
            ? std::optional(start + std::chrono::duration_cast<Clock::duration>(
                                        std::chrono::duration<double>(*options.maxSeconds)))
            : std::nullopt;

    std::array<char, kMaxDatagramBytes> buffer;
    while (!stopRequested) {
        timespec wait{};
        timespec* waitLimit = nullptr;
        if (stopAt) {
            const auto left = std::max(Clock::duration::zero(), *stopAt - Clock::now());
            if (left == Clock::duration::zero())
                break;
            const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(left);
            wait.tv_sec = static_cast<time_t>(nanoseconds.count() / 1'000'000'000);
            wait.tv_nsec = static_cast<long>(nanoseconds.count() % 1'000'000'000);
            waitLimit = &wait;
        }
        pollfd readable{udp, POLLIN, 0};
        if (ppoll(&readable, 1, waitLimit, &waitMask) <= 0)
            continue; // timed out, or a signal: the loop condition decides

        sockaddr_storage peer{};
        socklen_t peerLength = sizeof peer;
        const ssize_t length = recvfrom(udp, buffer.data(), buffer.size(), MSG_DONTWAIT,
                                        reinterpret_cast<sockaddr*>(&peer), &peerLength);
        if (length < 0)
            continue;
        const std::string_view datagram(buffer.data(), static_cast<std::size_t>(length));
        if (IsPingRequest(datagram)) {
            const bool answered = ScenarioAcknowledgesPing(options.scenario);
            if (options.verbose)
                std::cerr << (answered ? "ping" : "ignored ping") << " from " << Describe(peer)
                          << std::endl;
            if (answered)
                sendto(udp, &kAcknowledgement, 1, 0, reinterpret_cast<const sockaddr*>(&peer),
                       peerLength);
            continue;
        }
        const std::optional<int> flags = ReadStatusRequest(datagram);
        if (options.verbose)
            std::cerr << (flags ? "status request" : "ignored datagram") << " from "
                      << Describe(peer) << ": " << Printable(datagram) << std::endl;
        if (!flags)
            continue;

        const std::chrono::duration<double> elapsed = Clock::now() - start;
        std::vector<std::string> replies;
        if (options.scenario == Scenario::Pickup) {
            pickup.GoToStep(static_cast<std::int64_t>(elapsed.count() / options.stepSeconds));
            replies =
                PackReplyDatagrams(StatusReplyPieces(pickup.ServerInfo(), pickup.Clients(), *flags),
                                   kServerPrintBufferBytes);
        } else {
            match.AdvanceTo(elapsed.count() * options.speed);
            replies = ScenarioReply(options.scenario, match, *flags, garbageRandom);
        }
        for (const std::string& reply : replies)
            sendto(udp, reply.data(), reply.size(), 0, reinterpret_cast<const sockaddr*>(&peer),
                   peerLength);
    }
    close(udp);
    if (options.verbose)
        std::cerr << "stopped" << std::endl;
    return 0;
}
