// SPDX-License-Identifier: GPL-2.0-or-later
// The HOST[:PORT] argument of tallyhawk-query: the shared split, with this program's default port,
// exit codes and messages.
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

// Without a port the port is kDefaultServerPort. A port that is not a decimal number from 1 to
// 65535 fails with ExitCode::PortOutOfRange, an empty host with ExitCode::Usage (named first when
// both are wrong). The host is not resolved here.
Result<ServerAddress, ReplyFailure> ParseServerAddress(const std::string& text);
