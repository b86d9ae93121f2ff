// SPDX-License-Identifier: GPL-2.0-or-later
// The one rule by which the datagrams of a status reply become one text, shared by the window's
// query socket and by tallyhawk-query: what each datagram adds, how far the text may grow, and
// whether a further datagram may still belong to the reply.
#pragma once

#include "status/StatusWireFormat.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

// A real reply is a few datagrams; a server that keeps sending is cut off here rather than
// allowed to fill memory.
inline constexpr std::size_t kMaxReplyTextBytes = 16 * kMaxDatagramBytes; // 64 KiB

// The largest piece a server prints after the first: one player line's body (numbers, a 31-byte
// name with a 3-byte spectator prefix, a 31-byte skin, colours). A datagram with at least this
// much room left in the server's print buffer was not cut for lack of room.
inline constexpr std::size_t kLargestLaterPiece = 128;
inline constexpr std::size_t kContinuationThreshold = kServerPrintBufferBytes - kLargestLaterPiece;

enum class ReplyVerdict
{
    Complete,    // nothing more is expected
    MayContinue, // a further datagram of the same reply may follow
};

// Appends one received datagram (at most kMaxDatagramBytes) to replyText, up to its first zero
// byte, so the text never holds one. The print header is kept only at the start of the text: a
// datagram appended to a non-empty text loses its own, which would otherwise land at the start
// of a player line. The text stops growing at kMaxReplyTextBytes.
//
// The verdict: a server sends a further datagram only when its print buffer
// (kServerPrintBufferBytes of text) has no room for the next piece, and a reply ends with a
// newline. So a datagram whose text is shorter than kContinuationThreshold and ends with a
// newline completes the reply, and so does reaching the cap; after any other datagram more may
// follow.
ReplyVerdict AppendReplyDatagram(std::string& replyText, std::string_view datagram);

// After a datagram that may be followed by more, how long to wait for the next one before the
// reply counts as complete. A server sends the datagrams of one reply back to back, so they arrive
// within a fraction of the exchange's own round trip (request sent to first datagram): a small
// multiple of it is ample, with a floor for timer and scheduling noise on a fast path and a
// ceiling for a slow first answer.
inline constexpr int kQuietRoundTrips = 2;
inline constexpr std::chrono::microseconds kQuietFloor{3000};
inline constexpr std::chrono::microseconds kQuietCeiling{50000};
std::chrono::microseconds ReplyQuietPeriod(std::chrono::nanoseconds roundTrip);

// True when the text holds nothing beyond the print header: nothing came back, or a server
// answered with the header alone. Either is no reply.
bool IsEmptyReplyText(std::string_view replyText);
