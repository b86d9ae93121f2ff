// SPDX-License-Identifier: GPL-2.0-or-later
// The peer's socket is watched by a QSocketNotifier on the calling thread's event loop.
#include "ScriptedUdpPeer.h"

#include <QTimer>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

sockaddr_in Loopback(std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

// Binds a fresh datagram socket to an unused loopback port; returns the handle and the port.
int BindLoopback(std::uint16_t& port)
{
    const int handle = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    if (handle < 0 || ::bind(handle, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(handle, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("cannot bind a loopback UDP socket");
    port = ntohs(address.sin_port);
    return handle;
}

} // namespace

ScriptedUdpPeer::ScriptedUdpPeer()
{
    handle = BindLoopback(port);
    notifier = std::make_unique<QSocketNotifier>(handle, QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, [this] { ReadAll(); });
}

ScriptedUdpPeer::~ScriptedUdpPeer()
{
    notifier.reset();
    ::close(handle);
}

void ScriptedUdpPeer::SendTo(std::uint16_t toPort, const std::string& bytes) const
{
    const sockaddr_in to = Loopback(toPort);
    ::sendto(handle, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to),
             sizeof to);
}

void ScriptedUdpPeer::ReadAll()
{
    std::string buffer(65536, '\0');
    for (;;) {
        sockaddr_in from{};
        socklen_t fromLength = sizeof from;
        const ssize_t length = ::recvfrom(handle, buffer.data(), buffer.size(), 0,
                                          reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (length < 0)
            return;
        const std::uint16_t fromPort = ntohs(from.sin_port);
        received.push_back({buffer.substr(0, static_cast<std::size_t>(length)), fromPort});
        const auto answer = [this, fromPort, replies = script] {
            for (const std::string& reply : replies)
                SendTo(fromPort, reply);
        };
        if (replyDelay.count() > 0)
            QTimer::singleShot(replyDelay, notifier.get(), answer);
        else
            answer();
    }
}

std::uint16_t UnusedUdpPort()
{
    std::uint16_t port = 0;
    ::close(BindLoopback(port));
    return port;
}
