// SPDX-License-Identifier: GPL-2.0-or-later
// HOST[:PORT] split at the last colon, the port held to 1 to 65535.
#include "status/ServerAddressText.h"

#include <charconv>

Result<ServerAddressText, ServerAddressError> SplitServerAddress(std::string_view text)
{
    const std::size_t colon = text.rfind(':');
    const std::string_view host = text.substr(0, colon);
    if (host.empty())
        return Fail(ServerAddressError{ServerAddressFault::NoHost, {}});

    ServerAddressText address{std::string(host), std::nullopt};
    if (colon != std::string_view::npos) {
        const std::string_view portText = text.substr(colon + 1);
        // Unsigned from_chars takes no sign and reports an overflow rather than wrapping.
        std::uint32_t value = 0;
        const char* end = portText.data() + portText.size();
        const auto [stop, error] = std::from_chars(portText.data(), end, value);
        if (portText.empty() || error != std::errc() || stop != end || value < 1 || value > 65535)
            return Fail(ServerAddressError{ServerAddressFault::BadPort, std::string(portText)});
        address.port = static_cast<std::uint16_t>(value);
    }
    return address;
}
