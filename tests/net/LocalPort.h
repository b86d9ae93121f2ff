// SPDX-License-Identifier: GPL-2.0-or-later
// The local port a socket is bound to, for tests whose sockets take any free port (0) so that
// they run beside a window or another test run on the same machine.
#pragma once

#include "net/WindowsSockets.h"

#include <arpa/inet.h>
#include <cstdint>
#include <netinet/in.h>
#include <sys/socket.h>

// 0 when the handle is not a bound IPv4 socket.
inline std::uint16_t LocalPort(SOCKET handle)
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (::getsockname(handle, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        address.sin_family != AF_INET)
        return 0;
    return ntohs(address.sin_port);
}
