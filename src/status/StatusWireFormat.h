// SPDX-License-Identifier: GPL-2.0-or-later
// Wire constants of the QuakeWorld out-of-band status exchange, shared by the programs that
// send the query and by the demo server that answers it.
#pragma once

#include <cstddef>
#include <string_view>

// Every out-of-band datagram, request or reply, starts with four FF bytes.
inline constexpr std::string_view kOutOfBandMarker{"\xff\xff\xff\xff", 4};

// The status request, 11 bytes, no terminating zero:
//   offset 0  FF FF FF FF          out-of-band marker
//   offset 4  73 74 61 74 75 73    "status"
//   offset 10 0A                   line feed
inline constexpr std::string_view kStatusRequest{"\xff\xff\xff\xffstatus\n", 11};
static_assert(kStatusRequest.starts_with(kOutOfBandMarker));

// Flags of the extended request `status N` (mvdsv), N their sum; 0 (or no number) is the old
// style: serverinfo and players. Each player line gains, in this order, a quoted field per flag
// among 16, 64 and 128.
enum StatusFlag : int
{
    kStatusServerInfo = 1,
    kStatusPlayers = 2,
    kStatusSpectators = 4,          // \s\ before the name, frags -9999, ping negated
    kStatusSpectatorsAsPlayers = 8, // with 4: frags "S" instead, name and ping as they are
    kStatusShowTeams = 16,          // ' "team"'
    kStatusShowQtv = 32,            // QTV stream lines after the players
    kStatusShowLoginFlags = 64,     // ' "flag"'
    kStatusShowClientType = 128,    // ' "b"' for a bot, ' "h"' for a human
};

// What tallyhawk-query asks with --extended: serverinfo, players, spectators (marked by their
// prefix, so that their frags never pass for a player's), the team and the client type. No QTV
// lines (not a player line) and no login flag (not shown). A server that does not know a flag
// leaves its field out, so the sum is safe with older servers.
inline constexpr int kExtendedStatusFlags = kStatusServerInfo | kStatusPlayers | kStatusSpectators |
                                            kStatusShowTeams | kStatusShowClientType;
static_assert(kExtendedStatusFlags == 151);

// The extended request, 15 bytes, no terminating zero:
//   offset 0  FF FF FF FF          out-of-band marker
//   offset 4  "status 151"         the command and kExtendedStatusFlags in decimal
//   offset 14 0A                   line feed
inline constexpr std::string_view kExtendedStatusRequest{"\xff\xff\xff\xffstatus 151\n", 15};

// Which request a reply answers, and so how its player lines are laid out.
enum class StatusLayout
{
    Plain,    // kStatusRequest: players only, no field after the bottom colour
    Extended, // kExtendedStatusRequest
};

constexpr std::string_view StatusRequestFor(StatusLayout layout)
{
    return layout == StatusLayout::Extended ? kExtendedStatusRequest : kStatusRequest;
}

// Every reply datagram starts with the out-of-band print header, 5 bytes:
//   offset 0  FF FF FF FF          out-of-band marker
//   offset 4  6E                   'n', the print command
// then a piece of the reply text and one terminating zero byte.
inline constexpr std::string_view kPrintHeader{"\xff\xff\xff\xffn", 5};
static_assert(kPrintHeader.starts_with(kOutOfBandMarker));

// The ping request, 9 bytes, no terminating zero:
//   offset 0  FF FF FF FF          out-of-band marker
//   offset 4  70 69 6E 67          "ping"
//   offset 8  0A                   line feed
// A server answers requests in the order they arrive, so the acknowledgement of a ping sent just
// after a status request follows the last datagram of the status reply.
inline constexpr std::string_view kPingRequest{"\xff\xff\xff\xffping\n", 9};
static_assert(kPingRequest.starts_with(kOutOfBandMarker));

// The acknowledgement of a ping as mvdsv sends it, 1 byte and nothing else:
//   offset 0  6C                   'l'
// Other servers put the out-of-band marker in front and may end it with a zero byte.
inline constexpr char kAcknowledgement = 'l';

// The largest datagram a receiver takes; a longer one is refused, never cut.
inline constexpr std::size_t kMaxDatagramBytes = 4096;

// A current server (mvdsv) gathers the reply text in a buffer of this many bytes and sends it
// as a datagram whenever the next printed piece would not fit, so only a datagram that is
// nearly this full can be followed by another one.
inline constexpr std::size_t kServerPrintBufferBytes = 1340;

// The usual port of a QuakeWorld server.
inline constexpr unsigned kDefaultServerPort = 27500;

// The window's query socket binds this local port, so one window at a time can watch from a
// machine; tallyhawk-query and the tests send from other ports.
inline constexpr unsigned kQueryLocalPort = 27000;
