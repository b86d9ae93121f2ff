// The collecting rule of tallyhawk-query: a reply is complete at once unless its last datagram
// may have been cut for lack of room; continuation headers never reach the text.

#include "query/ReplyCollector.h"

#include "SimulatedMatch.h"
#include "StatusReplyWriter.h"
#include "query/ServerAddress.h"
#include "status/StatusReplyReader.h"
#include "status/StatusWireFormat.h"

#include <gtest/gtest.h>

namespace {

std::string Datagram(const std::string& text)
{
    return std::string(kPrintHeader) + text + std::string(1, '\0');
}

TEST(ReplyCollectorTest, EveryServerReplyIsCompleteAtItsLastDatagramAndNotBefore)
{
    for (const bool longNames : {false, true}) {
        for (const int flags : {0, 23}) {
            for (int players = 0; players <= kMaxClients; ++players) {
                SCOPED_TRACE(testing::Message() << "players " << players << " flags " << flags
                                                << " long names " << longNames);
                SimulatedMatch match(MatchSettings{.players = players,
                                                   .seed = static_cast<unsigned>(players),
                                                   .longNames = longNames,
                                                   .extendedServerInfo = longNames});
                const auto pieces = StatusReplyPieces(match.ServerInfo(), match.Clients(), flags);
                const auto datagrams = PackReplyDatagrams(pieces, kServerPrintBufferBytes);

                ReplyCollector collector;
                for (std::size_t index = 0; index < datagrams.size(); ++index) {
                    const auto verdict = collector.Append(datagrams[index]);
                    const bool last = index + 1 == datagrams.size();
                    // A last datagram that is nearly full costs one quiet period, no more.
                    const bool nearlyFull = datagrams[index].size() - kPrintHeader.size() - 1 >=
                                            ReplyCollector::kContinuationThreshold;
                    const auto expected = last && !nearlyFull
                                              ? ReplyCollector::Verdict::Complete
                                              : ReplyCollector::Verdict::MayContinue;
                    EXPECT_EQ(verdict, expected) << index;
                }
                std::string joined;
                for (const auto& piece : pieces)
                    joined += piece;
                EXPECT_EQ(collector.Text(), std::string(kPrintHeader) + joined);
            }
        }
    }
}

TEST(ReplyCollectorTest, ContinuationHeaderDoesNotCorruptTheNextPlayerLine)
{
    ReplyCollector collector;
    const std::string fullText =
        "\\map\\dm3\n" + std::string(1250, 'x').insert(0, "1 2 3 4 \"") + "\" \"\" 0 0\n";
    EXPECT_EQ(collector.Append(Datagram(fullText)), ReplyCollector::Verdict::MayContinue);
    EXPECT_EQ(collector.Append(Datagram("17 5 6 7 \"next\" \"red\" 4 4\n")),
              ReplyCollector::Verdict::Complete);

    StatusModel model;
    ReadStatusReply(collector.Text(), model);
    ASSERT_EQ(model.playerCount, 2);
    EXPECT_EQ(model.players[1].userId, 17);
    EXPECT_EQ(model.players[1].name, "next");
}

TEST(ReplyCollectorTest, DatagramCutInsideALineWaitsForMore)
{
    ReplyCollector collector;
    EXPECT_EQ(collector.Append(Datagram("\\map\\dm3\n1 2 3 4 \"na")),
              ReplyCollector::Verdict::MayContinue);
    EXPECT_EQ(collector.Append(Datagram("me\" \"\" 0 0\n")), ReplyCollector::Verdict::Complete);
    EXPECT_EQ(collector.Text(),
              std::string(kPrintHeader) + "\\map\\dm3\n1 2 3 4 \"name\" \"\" 0 0\n");
}

TEST(ReplyCollectorTest, TakesEachDatagramOnlyUpToItsFirstZeroByte)
{
    ReplyCollector collector;
    collector.Append(std::string("\xff\xff\xff\xffn\\map\\e1m1\n\0tail\n", 21));
    EXPECT_EQ(collector.Text(), std::string(kPrintHeader) + "\\map\\e1m1\n");
    EXPECT_EQ(collector.DatagramCount(), 1);
}

TEST(ReplyCollectorTest, EndlessFullDatagramsAreCutOffAtTheReplyLimit)
{
    ReplyCollector collector;
    const std::string full = Datagram(std::string(kMaxDatagramBytes - 6, 'x'));
    int appended = 0;
    while (collector.Append(full) == ReplyCollector::Verdict::MayContinue)
        ASSERT_LT(++appended, 100);
    EXPECT_EQ(collector.Text().size(), ReplyCollector::kMaxReplyBytes);
}

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
            ASSERT_TRUE(std::holds_alternative<ServerAddress>(parsed));
            EXPECT_EQ(std::get<ServerAddress>(parsed).host, test.host);
            EXPECT_EQ(std::get<ServerAddress>(parsed).port, test.port);
        } else {
            ASSERT_TRUE(std::holds_alternative<ReplyFailure>(parsed));
            EXPECT_EQ(std::get<ReplyFailure>(parsed).code, test.failure);
        }
    }
}

} // namespace
