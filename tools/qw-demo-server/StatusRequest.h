// SPDX-License-Identifier: GPL-2.0-or-later
// Recognising the status requests that peers send:
//   FF FF FF FF "status" 0A            the 11-byte request of the window and tallyhawk-query
//   FF FF FF FF "status 23" 0A         quakestat: flags after the word
//   FF FF FF FF "status" 00            ended by a zero byte
#pragma once

#include <optional>
#include <string_view>

// Flags of the status command; 0 is the old style, which means serverinfo and players.
enum StatusFlag : int
{
    kStatusServerInfo = 1,
    kStatusPlayers = 2,
    kStatusSpectators = 4,
    kStatusSpectatorsAsPlayers = 8,
    kStatusShowTeams = 16,
};

// The flags of a status request, or nothing for any other datagram. The command is read up to
// the first line feed or zero byte and split at white space, as a server tokenises it; the
// flags are the decimal number of the second word (0 when it has none or is absent).
std::optional<int> ReadStatusRequest(std::string_view datagram);
