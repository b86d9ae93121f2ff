// SPDX-License-Identifier: GPL-2.0-or-later
// tallyhawk-query's reading of HOST[:PORT]: its default port and how it words a refusal.
#include "query/ServerAddress.h"

#include "status/ServerAddressText.h"
#include "status/StatusWireFormat.h"

Result<ServerAddress, ReplyFailure> ParseServerAddress(const std::string& text)
{
    const Result<ServerAddressText, ServerAddressError> split = SplitServerAddress(text);
    if (!split) {
        if (split.Error().fault == ServerAddressFault::BadPort)
            return Fail(
                ReplyFailure{ExitCode::PortOutOfRange,
                             "port '" + split.Error().portText + "' is out of range (1 to 65535)"});
        return Fail(ReplyFailure{ExitCode::Usage, "no host given in '" + text + "'"});
    }
    return ServerAddress{split->host, split->port.value_or(kDefaultServerPort)};
}
