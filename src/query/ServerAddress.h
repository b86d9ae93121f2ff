// SPDX-License-Identifier: GPL-2.0-or-later
// The HOST[:PORT] argument of tallyhawk-query: the shared split, with this program's IPv6 forms,
// default port, exit codes and messages.
#pragma once

#include "query/ReplyResult.h"
#include "status/Result.h"

#include <cstdint>
#include <string>

struct ServerAddress
{
    std::string host;
    std::uint16_t port = 0;
};

// HOST, HOST:PORT, [HOST] and [HOST]:PORT, where the brackets hold an IPv6 address (or any host),
// and a bare IPv6 address ("::1"), which takes no port. Without a port the port is
// kDefaultServerPort. A port that is not a decimal number from 1 to 65535 fails with
// ExitCode::PortOutOfRange, an empty host or a bracket left open with ExitCode::Usage (the host
// named first when both are wrong). The host is not resolved here.
Result<ServerAddress, ReplyFailure> ParseServerAddress(const std::string& text);

// "host:27500", "[::1]:27500": the address as messages and headings show it, an IPv6 host in
// brackets so that the port stays apart.
std::string EndpointText(const ServerAddress& address);
