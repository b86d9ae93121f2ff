// SPDX-License-Identifier: GPL-2.0-or-later
// Sockets start-up over BSD sockets.
#include "framework/SocketStartup.h"

#include <sys/socket.h>
#include <unistd.h>

bool AfxSocketInit()
{
    static bool initialised = false;
    if (initialised)
        return true;
    int probe = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (probe < 0)
        return false;
    ::close(probe);
    initialised = true;
    return true;
}
