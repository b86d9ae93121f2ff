// SPDX-License-Identifier: GPL-2.0-or-later
// Recognising the status requests that peers send:
//   FF FF FF FF "status" 0A            the 11-byte request of the window and tallyhawk-query
//   FF FF FF FF "status 23" 0A         quakestat: flags after the word
//   FF FF FF FF "status" 00            ended by a zero byte
// and the ping that tallyhawk-query sends after its status request:
//   FF FF FF FF "ping" 0A              (or the one-byte command "k")
#pragma once

#include "status/StatusWireFormat.h"

#include <optional>
#include <string_view>

// The flags of a status request, or nothing for any other datagram. The command is read up to
// the first line feed or zero byte and split at white space, as a server tokenises it; the
// flags are the decimal number of the second word (0 when it has none or is absent).
std::optional<int> ReadStatusRequest(std::string_view datagram);

// True for a ping: the first word of the command line is "ping" or the one-byte command "k".
bool IsPingRequest(std::string_view datagram);
