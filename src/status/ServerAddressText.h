// SPDX-License-Identifier: GPL-2.0-or-later
// A server as a person writes it on a command line, HOST[:PORT]: the one split and check that
// both programs use. Each program adds its own rules (default port, host length) and words its
// own refusals. Pure function, no resolving.
#pragma once

#include "status/Result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct ServerAddressText
{
    std::string host;                  // never empty
    std::optional<std::uint16_t> port; // absent when the text has no colon
};

enum class ServerAddressFault
{
    NoHost,  // nothing before the colon, or no text at all
    BadPort, // after the colon: not decimal digits, or a number outside 1 to 65535
};

struct ServerAddressError
{
    ServerAddressFault fault;
    std::string portText; // what followed the colon, for BadPort; empty for NoHost
};

// Splits at the last colon, so the host may hold colons of its own. When both parts are wrong
// the host is named, as it comes first. Leading zeros of the port are allowed ("027500").
Result<ServerAddressText, ServerAddressError> SplitServerAddress(std::string_view text);
