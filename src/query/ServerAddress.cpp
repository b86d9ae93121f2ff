// Splitting HOST[:PORT] and checking the port; no resolving here.
#include "query/ServerAddress.h"

#include "status/StatusWireFormat.h"

#include <algorithm>

Result<ServerAddress, ReplyFailure> ParseServerAddress(const std::string& text)
{
    ServerAddress address;
    address.port = kDefaultServerPort;
    const std::size_t colon = text.rfind(':');
    address.host = text.substr(0, colon);
    if (colon != std::string::npos) {
        const std::string portText = text.substr(colon + 1);
        const bool allDigits = !portText.empty() && portText.size() <= 5 &&
                               std::all_of(portText.begin(), portText.end(),
                                           [](char c) { return c >= '0' && c <= '9'; });
        const unsigned long port = allDigits ? std::stoul(portText) : 0;
        if (port < 1 || port > 65535)
            return Fail(ReplyFailure{ExitCode::PortOutOfRange,
                                     "port '" + portText + "' is out of range (1 to 65535)"});
        address.port = static_cast<std::uint16_t>(port);
    }
    if (address.host.empty())
        return Fail(ReplyFailure{ExitCode::Usage, "no host given in '" + text + "'"});
    return address;
}
