// SPDX-License-Identifier: GPL-2.0-or-later
// The collection rule of one status reply, with or without the ping fence.
#include "status/ReplyCollector.h"

#include "status/ReplyDatagram.h"
#include "status/StatusWireFormat.h"

#include <algorithm>

bool IsPingAcknowledgement(std::string_view datagram)
{
    if (datagram.starts_with(kOutOfBandMarker))
        datagram.remove_prefix(kOutOfBandMarker.size());
    if (datagram.empty() || datagram.front() != kAcknowledgement)
        return false;
    datagram.remove_prefix(1);
    return datagram.empty() || datagram == std::string_view("\0", 1) || datagram == "\n";
}

std::chrono::microseconds ReplyFenceGrace(std::chrono::nanoseconds roundTrip)
{
    const auto share =
        std::chrono::duration_cast<std::chrono::microseconds>(roundTrip / kFenceGraceDivisor);
    return std::clamp(share, kFenceGraceFloor, kFenceGraceCeiling);
}

ReplyCollector::ReplyCollector(ReplyFence fence, Clock::time_point sentAt,
                               Clock::time_point deadline)
    : fence(fence), sentAt(sentAt), deadline(deadline), waitUntil(deadline)
{}

std::chrono::nanoseconds ReplyCollector::RoundTrip(Clock::time_point arrived)
{
    if (!roundTrip)
        roundTrip = arrived - sentAt;
    return *roundTrip;
}

std::optional<ReplyCollector::Clock::time_point> ReplyCollector::Take(std::string_view datagram,
                                                                      Clock::time_point arrived)
{
    // A datagram of no bytes ends the exchange, as it does in the window.
    if (datagram.empty())
        return std::nullopt;
    const std::chrono::nanoseconds exchangeRoundTrip = RoundTrip(arrived);

    if (fence == ReplyFence::Ping && IsPingAcknowledgement(datagram)) {
        acknowledged = true;
        // Every reply datagram left before the acknowledgement; only one it overtook can still
        // come, and soon.
        if (!text.empty())
            waitUntil = std::min(deadline, arrived + ReplyFenceGrace(exchangeRoundTrip));
        return waitUntil;
    }

    if (AppendReplyDatagram(text, datagram) == ReplyVerdict::Complete)
        return std::nullopt;
    const std::chrono::microseconds wait =
        acknowledged ? ReplyFenceGrace(exchangeRoundTrip) : ReplyQuietPeriod(exchangeRoundTrip);
    waitUntil = std::min(deadline, arrived + wait);
    return waitUntil;
}
