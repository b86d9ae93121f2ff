// Gathers the datagrams of one status reply into one text and decides when the reply is
// complete, so that a split reply is read whole and an ordinary one in a single round trip.
//
// The rule: a current server sends a further datagram only when its print buffer
// (kServerPrintBufferBytes of text) has no room for the next piece, and a reply always ends
// with a newline. So a datagram whose text is shorter than kContinuationThreshold and ends with
// a newline completes the reply at once; after any other datagram more may follow, and the
// caller waits a short quiet period (kQuietPeriod) before taking the reply as it stands.
#pragma once

#include "status/StatusWireFormat.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

class ReplyCollector
{
public:
    // The largest piece a server prints after the first: one player line's body (numbers, a
    // 31-byte name with a 3-byte spectator prefix, a 31-byte skin, colours). A datagram with at
    // least this much room left in its print buffer was not cut for lack of room.
    static constexpr std::size_t kLargestLaterPiece = 128;
    static constexpr std::size_t kContinuationThreshold =
        kServerPrintBufferBytes - kLargestLaterPiece;
    static constexpr std::chrono::milliseconds kQuietPeriod{50};
    // A real reply is a few datagrams; a server that keeps sending is cut off here rather than
    // allowed to fill memory until the timeout.
    static constexpr std::size_t kMaxReplyBytes = 16 * kMaxDatagramBytes;

    enum class Verdict
    {
        Complete,    // nothing more is expected
        MayContinue, // wait kQuietPeriod for a further datagram
    };

    // Appends one received datagram (at most kMaxDatagramBytes) up to its first zero byte. The
    // first datagram is kept whole; a later one loses its own print header, so that the header
    // does not land in the middle of the text (at the start of a player line). The text stops
    // growing at kMaxReplyBytes, and the reply is then complete.
    Verdict Append(std::string_view datagram);

    // Everything collected so far; never holds a zero byte.
    const std::string& Text() const { return text; }
    int DatagramCount() const { return datagramCount; }

private:
    std::string text;
    int datagramCount = 0;
};
