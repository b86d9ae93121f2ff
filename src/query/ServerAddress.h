// The HOST[:PORT] argument of tallyhawk-query.
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

// Splits at the last colon; without one the port is kDefaultServerPort. A port that is not a
// decimal number from 1 to 65535 fails with ExitCode::PortOutOfRange, an empty host with
// ExitCode::Usage. The host is not resolved here.
Result<ServerAddress, ReplyFailure> ParseServerAddress(const std::string& text);
