// SPDX-License-Identifier: GPL-2.0-or-later
// tallyhawk-query's collection of one status reply, as a pure rule over the datagrams and their
// arrival times: which datagrams join the text, and how long to wait for the next one. The
// socket loop around it only receives and waits. No I/O, no clock of its own.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// Whether a ping was sent just after the status request from the same socket. The server's
// acknowledgement of that ping then fences the reply: it comes after the reply's last datagram.
enum class ReplyFence
{
    None,
    Ping,
};

// A datagram that acknowledges a ping: the single byte 'l' (mvdsv), or the out-of-band marker
// followed by 'l' and at most one zero byte or line feed.
bool IsPingAcknowledgement(std::string_view datagram);

// After the acknowledgement, a reply whose last datagram may continue waits this long for one
// that the acknowledgement overtook on the way (reordering). Such a datagram left the server
// before the acknowledgement, back to back with it, so it trails by far less than a round trip:
// a quarter of the exchange's round trip, with a floor for a round trip measured near zero
// (loopback, where nothing is reordered and the acknowledgement follows the last datagram by a
// few microseconds) and a ceiling well below the quiet period the reply would otherwise cost.
inline constexpr int kFenceGraceDivisor = 4;
inline constexpr std::chrono::microseconds kFenceGraceFloor{50};
inline constexpr std::chrono::microseconds kFenceGraceCeiling{5000};
std::chrono::microseconds ReplyFenceGrace(std::chrono::nanoseconds roundTrip);

class ReplyCollector
{
public:
    using Clock = std::chrono::steady_clock;

    // The request went out at sentAt; nothing is waited for beyond deadline.
    ReplyCollector(ReplyFence fence, Clock::time_point sentAt, Clock::time_point deadline);

    // Takes one datagram received at `arrived` (at most kMaxDatagramBytes). Returns the time
    // until which to wait for the next one, or nothing when the reply is complete: a datagram of
    // no bytes, a datagram that completes the text by AppendReplyDatagram, or the
    // acknowledgement of the fence after a complete-looking reply. Without a fence, or before
    // its acknowledgement, a reply that may continue waits ReplyQuietPeriod; after it, the
    // shorter ReplyFenceGrace. An acknowledgement before any reply datagram (overtaken, or the
    // status request lost) leaves the wait as it was. Without a fence an 'l' is reply text.
    std::optional<Clock::time_point> Take(std::string_view datagram, Clock::time_point arrived);

    // The reply text so far (AppendReplyDatagram's rules: no zero byte, one print header).
    const std::string& Text() const { return text; }
    std::string TakeText() { return std::move(text); }

    bool Acknowledged() const { return acknowledged; }

private:
    std::chrono::nanoseconds RoundTrip(Clock::time_point arrived);

    ReplyFence fence;
    Clock::time_point sentAt;
    Clock::time_point deadline;
    Clock::time_point waitUntil;
    std::optional<std::chrono::nanoseconds> roundTrip; // from the first datagram of any kind
    bool acknowledged = false;
    std::string text;
};
