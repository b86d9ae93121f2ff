// SPDX-License-Identifier: GPL-2.0-or-later
// A local UDP port held the way another program would hold it, for tests of what happens when a
// port is taken and for asking whether one is free.
#pragma once

#include <arpa/inet.h>
#include <cstdint>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// Binds `wanted` on every local address (0: any free port) for its lifetime; `bound` tells
// whether it could.
class PortHolder
{
public:
    explicit PortHolder(std::uint16_t wanted = 0)
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(wanted);
        socklen_t length = sizeof address;
        handle = ::socket(AF_INET, SOCK_DGRAM, 0);
        bound = ::bind(handle, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                ::getsockname(handle, reinterpret_cast<sockaddr*>(&address), &length) == 0;
        port = ntohs(address.sin_port);
    }
    ~PortHolder() { ::close(handle); }
    PortHolder(const PortHolder&) = delete;
    PortHolder& operator=(const PortHolder&) = delete;

    bool bound = false;
    std::uint16_t port = 0;

private:
    int handle = -1;
};
