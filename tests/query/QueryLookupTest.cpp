// SPDX-License-Identifier: GPL-2.0-or-later
// tallyhawk-query's host lookup with a lookup of the test's own in place of the system's
// resolver: one that never answers ends at the timeout, one that says no, one that answers, and
// one with several addresses of either family, of which the first to answer gives the reply.

#include "DemoServerRunner.h"
#include "query/NetworkReplySource.h"

#include <arpa/inet.h>
#include <future>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <vector>

namespace {

using namespace std::chrono_literals;

const HostLookupAnswer kLoopback{in_addr{htonl(INADDR_LOOPBACK)}, {}};

class QueryLookupTest : public testing::Test
{
protected:
    // Lets the never-answering lookups end when the test does, so that no thread is left behind.
    ~QueryLookupTest() override { release.set_value(); }

    BackgroundHostLookup::Work NeverAnswers() const
    {
        return [released = released] {
            released.wait();
            return kLoopback;
        };
    }

private:
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
};

TEST_F(QueryLookupTest, LookupWithoutAnswerEndsAtTheTimeoutAsHostNotResolved)
{
    struct Case
    {
        std::chrono::milliseconds timeout;
        const char* said;
    };
    const Case cases[] = {{1ms, "0.001 s"}, {250ms, "0.25 s"}, {1000ms, "1 s"}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.said);
        const ReplyResult result = QueryServer({"qw.example", 27500}, test.timeout, NeverAnswers());
        ASSERT_FALSE(result);
        EXPECT_EQ(result.Error().code, ExitCode::HostNotResolved);
        EXPECT_EQ(result.Error().message,
                  std::string("no answer from the resolver for host 'qw.example' within ") +
                      test.said);
    }
}

TEST_F(QueryLookupTest, ResolverThatSaysNoGivesItsWords)
{
    const ReplyResult result = QueryServer({"qw.example", 27500}, 2s, [] {
        return HostLookupAnswer{std::nullopt, "Name or service not known"};
    });
    ASSERT_FALSE(result);
    EXPECT_EQ(result.Error().code, ExitCode::HostNotResolved);
    EXPECT_EQ(result.Error().message,
              "cannot resolve host 'qw.example': Name or service not known");
}

TEST_F(QueryLookupTest, AnsweredAddressIsTheOneQueried)
{
    DemoServerRunner server({"--speed", "0"});
    ASSERT_NE(server.Port(), 0u) << server.Process().ErrorText();
    const ReplyResult result = QueryServer(
        {"qw.example", static_cast<std::uint16_t>(server.Port())}, 2s, [] { return kLoopback; });
    ASSERT_TRUE(result) << result.Error().message;
    EXPECT_NE(result->find("Tallyhawk demo server"), std::string::npos) << *result;
}

sockaddr_storage LoopbackOf(int family)
{
    sockaddr_storage storage{};
    if (family == AF_INET6) {
        auto& address = reinterpret_cast<sockaddr_in6&>(storage);
        address.sin6_family = AF_INET6;
        address.sin6_addr = in6addr_loopback;
    } else {
        auto& address = reinterpret_cast<sockaddr_in&>(storage);
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    }
    return storage;
}

TEST_F(QueryLookupTest, FirstAddressThatAnswersIsTheServerWhateverItsFamily)
{
    DemoServerRunner ipv6Server({"--speed", "0", "--bind", "::1"});
    DemoServerRunner ipv4Server({"--speed", "0"});
    ASSERT_NE(ipv6Server.Port(), 0u) << ipv6Server.Process().ErrorText();
    ASSERT_NE(ipv4Server.Port(), 0u) << ipv4Server.Process().ErrorText();
    struct Case
    {
        const char* name;
        unsigned port;
        std::vector<int> families; // the resolver's answer, in its order
    };
    const Case cases[] = {
        {"a name with an IPv6 address only", ipv6Server.Port(), {AF_INET6}},
        {"IPv4 refused, then IPv6 answers", ipv6Server.Port(), {AF_INET, AF_INET6}},
        {"IPv6 refused, then IPv4 answers", ipv4Server.Port(), {AF_INET6, AF_INET}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const ReplyResult result = QueryServer(
            {"qw.example", static_cast<std::uint16_t>(test.port)}, 2s, [families = test.families] {
                HostLookupAnswer answer;
                for (const int family : families)
                    answer.addresses.push_back(LoopbackOf(family));
                return answer;
            });
        ASSERT_TRUE(result) << result.Error().message;
        EXPECT_NE(result->find("Tallyhawk demo server"), std::string::npos) << *result;
    }
}

} // namespace
