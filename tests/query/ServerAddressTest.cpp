// The HOST[:PORT] argument of tallyhawk-query: what is read and what is refused.

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
    };
    const Case cases[] = {
        {"localhost", "localhost", 27500, ExitCode::Success},
        {"10.0.0.1:27001", "10.0.0.1", 27001, ExitCode::Success},
        {"qw.example.org:1", "qw.example.org", 1, ExitCode::Success},
        {"h:65535", "h", 65535, ExitCode::Success},
        {"h:0", "", 0, ExitCode::PortOutOfRange},
        {"h:65536", "", 0, ExitCode::PortOutOfRange},
        {"h:99999999999999999999", "", 0, ExitCode::PortOutOfRange},
        {"h:-1", "", 0, ExitCode::PortOutOfRange},
        {"h:27500x", "", 0, ExitCode::PortOutOfRange},
        {"h:", "", 0, ExitCode::PortOutOfRange},
        {":27500", "", 0, ExitCode::Usage},
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
        }
    }
}

} // namespace
