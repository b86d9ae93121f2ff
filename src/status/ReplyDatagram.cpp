// SPDX-License-Identifier: GPL-2.0-or-later
// Appending one reply datagram to the reply text and judging whether more may follow.
#include "status/ReplyDatagram.h"

#include <algorithm>

ReplyVerdict AppendReplyDatagram(std::string& replyText, std::string_view datagram)
{
    datagram = datagram.substr(0, datagram.find('\0'));
    const bool hasHeader = datagram.starts_with(kPrintHeader);
    const std::string_view pieceText = hasHeader ? datagram.substr(kPrintHeader.size()) : datagram;

    const std::string_view appended = replyText.empty() ? datagram : pieceText;
    if (replyText.size() < kMaxReplyTextBytes)
        replyText.append(appended.substr(0, kMaxReplyTextBytes - replyText.size()));
    if (replyText.size() >= kMaxReplyTextBytes)
        return ReplyVerdict::Complete;

    if (pieceText.size() < kContinuationThreshold && pieceText.ends_with('\n'))
        return ReplyVerdict::Complete;
    return ReplyVerdict::MayContinue;
}

bool IsEmptyReplyText(std::string_view replyText)
{
    return replyText.empty() || replyText == kPrintHeader;
}

std::chrono::microseconds ReplyQuietPeriod(std::chrono::nanoseconds roundTrip)
{
    const auto roundTrips =
        std::chrono::duration_cast<std::chrono::microseconds>(roundTrip) * kQuietRoundTrips;
    return std::clamp(roundTrips, kQuietFloor, kQuietCeiling);
}
