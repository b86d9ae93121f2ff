#include "ReplyCollector.h"

ReplyCollector::Verdict ReplyCollector::Append(std::string_view datagram)
{
    datagram = datagram.substr(0, datagram.find('\0'));
    std::string_view piece = datagram;
    if (datagramCount > 0 && piece.starts_with(kPrintHeader))
        piece.remove_prefix(kPrintHeader.size());
    text.append(piece.substr(0, kMaxReplyBytes - text.size()));
    ++datagramCount;
    if (text.size() >= kMaxReplyBytes)
        return Verdict::Complete;

    const std::string_view replyText =
        datagram.starts_with(kPrintHeader) ? datagram.substr(kPrintHeader.size()) : datagram;
    if (replyText.size() < kContinuationThreshold && replyText.ends_with('\n'))
        return Verdict::Complete;
    return Verdict::MayContinue;
}
