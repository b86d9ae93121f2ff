// SPDX-License-Identifier: GPL-2.0-or-later
// tallyhawk-query's reading of HOST[:PORT]: IPv6 in brackets or bare, its default port and how it
// words a refusal.
#include "query/ServerAddress.h"

#include "net/HostLookup.h"
#include "status/ServerAddressText.h"
#include "status/StatusWireFormat.h"

#include <algorithm>

namespace {

Result<ServerAddress, ReplyFailure> FromSplit(const std::string& text,
                                              const std::string& hostOverride = {})
{
    const Result<ServerAddressText, ServerAddressError> split = SplitServerAddress(text);
    if (!split) {
        if (split.Error().fault == ServerAddressFault::BadPort)
            return Fail(
                ReplyFailure{ExitCode::PortOutOfRange,
                             "port '" + split.Error().portText + "' is out of range (1 to 65535)"});
        return Fail(ReplyFailure{ExitCode::Usage, "no host given in '" + text + "'"});
    }
    return ServerAddress{hostOverride.empty() ? split->host : hostOverride,
                         split->port.value_or(kDefaultServerPort)};
}

} // namespace

Result<ServerAddress, ReplyFailure> ParseServerAddress(const std::string& text)
{
    if (text.starts_with('[')) {
        const std::size_t closing = text.find(']');
        if (closing == std::string::npos)
            return Fail(ReplyFailure{ExitCode::Usage, "no closing ']' in '" + text + "'"});
        const std::string host = text.substr(1, closing - 1);
        const std::string rest = text.substr(closing + 1);
        if (host.empty())
            return Fail(ReplyFailure{ExitCode::Usage, "no host given in '" + text + "'"});
        if (!rest.empty() && !rest.starts_with(':'))
            return Fail(ReplyFailure{ExitCode::Usage,
                                     "'" + rest + "' after ']' in '" + text + "' is not :PORT"});
        // The port as the shared split reads it; the bracketed host stands in for its host.
        return FromSplit("h" + rest, host);
    }
    // A bare IPv6 address has colons of its own and so no room for a port.
    if (std::count(text.begin(), text.end(), ':') > 1 && NumericIpv6(text))
        return ServerAddress{text, static_cast<std::uint16_t>(kDefaultServerPort)};
    return FromSplit(text);
}

std::string EndpointText(const ServerAddress& address)
{
    const bool ipv6 = address.host.find(':') != std::string::npos;
    return (ipv6 ? "[" + address.host + "]" : address.host) + ":" + std::to_string(address.port);
}
