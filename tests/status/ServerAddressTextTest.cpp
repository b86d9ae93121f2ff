// SPDX-License-Identifier: GPL-2.0-or-later
// The HOST[:PORT] split both programs share: where it splits, which ports it takes, and which
// part it names when the text is refused.

#include "status/ServerAddressText.h"

#include <gtest/gtest.h>
#include <optional>
#include <string_view>

namespace {

struct AcceptedCase
{
    const char* name;
    std::string_view text;
    std::string_view host;
    std::optional<std::uint16_t> port;
};

TEST(ServerAddressText, AcceptedFormsGiveHostAndPort)
{
    const AcceptedCase cases[] = {
        {"host alone has no port", "localhost", "localhost", std::nullopt},
        {"address and port", "10.0.0.1:27500", "10.0.0.1", 27500},
        {"name and lowest port", "qw.example.org:1", "qw.example.org", 1},
        {"highest port", "h:65535", "h", 65535},
        {"long host is not this rule's concern", "a.long.host.name.example.org:27001",
         "a.long.host.name.example.org", 27001},
        {"leading zeros", "h:027500", "h", 27500},
        {"last colon splits", "a:b:28000", "a:b", 28000},
    };
    for (const AcceptedCase& test : cases) {
        SCOPED_TRACE(test.name);
        const auto split = SplitServerAddress(test.text);
        ASSERT_TRUE(split);
        EXPECT_EQ(split->host, test.host);
        EXPECT_EQ(split->port, test.port);
    }
}

struct RefusedCase
{
    const char* name;
    std::string_view text;
    ServerAddressFault fault;
    std::string_view portText;
};

TEST(ServerAddressText, RefusedFormsNameTheWrongPart)
{
    const RefusedCase cases[] = {
        {"empty text", "", ServerAddressFault::NoHost, ""},
        {"port without host", ":27500", ServerAddressFault::NoHost, ""},
        {"both wrong names the host", ":x", ServerAddressFault::NoHost, ""},
        {"colon without port", "h:", ServerAddressFault::BadPort, ""},
        {"port zero", "h:0", ServerAddressFault::BadPort, "0"},
        {"port past 65535", "h:65536", ServerAddressFault::BadPort, "65536"},
        {"port past any integer", "h:99999999999999999999", ServerAddressFault::BadPort,
         "99999999999999999999"},
        {"negative port", "h:-1", ServerAddressFault::BadPort, "-1"},
        {"plus sign", "h:+27", ServerAddressFault::BadPort, "+27"},
        {"letter after digits", "h:27500x", ServerAddressFault::BadPort, "27500x"},
        {"letter within digits", "h:27x", ServerAddressFault::BadPort, "27x"},
        {"space before digits", "h: 27500", ServerAddressFault::BadPort, " 27500"},
    };
    for (const RefusedCase& test : cases) {
        SCOPED_TRACE(test.name);
        const auto split = SplitServerAddress(test.text);
        ASSERT_FALSE(split);
        EXPECT_EQ(split.Error().fault, test.fault);
        EXPECT_EQ(split.Error().portText, test.portText);
    }
}

} // namespace
