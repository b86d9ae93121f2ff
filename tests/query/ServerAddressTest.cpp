// SPDX-License-Identifier: GPL-2.0-or-later
// The HOST[:PORT] argument of tallyhawk-query: its default port, and the exit code and message of
// each refusal. Where the text splits and which ports are taken is tested with the split itself,
// in tests/status.

#include "query/ServerAddress.h"

#include <gtest/gtest.h>

namespace {

TEST(ServerAddressTest, ReadsHostAndPortOrSaysWhatIsWrong)
{
    struct Case
    {
        std::string text;
        std::string host;
        unsigned port;
        ExitCode failure;
        std::string message;
    };
    const Case cases[] = {
        {"localhost", "localhost", 27500, ExitCode::Success, ""},
        {"10.0.0.1:27001", "10.0.0.1", 27001, ExitCode::Success, ""},
        {"h:0", "", 0, ExitCode::PortOutOfRange, "port '0' is out of range (1 to 65535)"},
        {"h:27500x", "", 0, ExitCode::PortOutOfRange, "port '27500x' is out of range (1 to 65535)"},
        {"h:", "", 0, ExitCode::PortOutOfRange, "port '' is out of range (1 to 65535)"},
        {":27500", "", 0, ExitCode::Usage, "no host given in ':27500'"},
        {"[::1]:27501", "::1", 27501, ExitCode::Success, ""},
        {"[::1]", "::1", 27500, ExitCode::Success, ""},
        {"[fe80::1%lo]:27501", "fe80::1%lo", 27501, ExitCode::Success, ""},
        {"[qw.example]:27501", "qw.example", 27501, ExitCode::Success, ""},
        {"::1", "::1", 27500, ExitCode::Success, ""},
        {"2001:db8::5", "2001:db8::5", 27500, ExitCode::Success, ""},
        {"::ffff:127.0.0.1", "::ffff:127.0.0.1", 27500, ExitCode::Success, ""},
        {"[::1]:0", "", 0, ExitCode::PortOutOfRange, "port '0' is out of range (1 to 65535)"},
        {"[::1]:", "", 0, ExitCode::PortOutOfRange, "port '' is out of range (1 to 65535)"},
        {"[::1", "", 0, ExitCode::Usage, "no closing ']' in '[::1'"},
        {"[]:27500", "", 0, ExitCode::Usage, "no host given in '[]:27500'"},
        {"[::1]27500", "", 0, ExitCode::Usage, "'27500' after ']' in '[::1]27500' is not :PORT"},
        // Not an IPv6 address: split at the last colon as before, so the port is checked.
        {"::1:99999", "", 0, ExitCode::PortOutOfRange, "port '99999' is out of range (1 to 65535)"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.text);
        const auto parsed = ParseServerAddress(test.text);
        if (test.failure == ExitCode::Success) {
            ASSERT_TRUE(parsed);
            EXPECT_EQ(parsed->host, test.host);
            EXPECT_EQ(parsed->port, test.port);
        } else {
            ASSERT_FALSE(parsed);
            EXPECT_EQ(parsed.Error().code, test.failure);
            EXPECT_EQ(parsed.Error().message, test.message);
        }
    }
}

TEST(ServerAddressTest, EndpointTextKeepsAnIpv6PortApart)
{
    EXPECT_EQ(EndpointText({"qw.example", 27500}), "qw.example:27500");
    EXPECT_EQ(EndpointText({"::1", 27501}), "[::1]:27501");
    // What the text shows reads back as the same address.
    const auto parsed = ParseServerAddress(EndpointText({"fe80::1%lo", 27502}));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->host, "fe80::1%lo");
    EXPECT_EQ(parsed->port, 27502);
}

} // namespace
