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

// Every reply datagram starts with the out-of-band print header, 5 bytes:
//   offset 0  FF FF FF FF          out-of-band marker
//   offset 4  6E                   'n', the print command
// then a piece of the reply text and one terminating zero byte.
inline constexpr std::string_view kPrintHeader{"\xff\xff\xff\xffn", 5};
static_assert(kPrintHeader.starts_with(kOutOfBandMarker));

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
