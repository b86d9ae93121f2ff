// SPDX-License-Identifier: GPL-2.0-or-later
// The rule that joins the datagrams of a reply: a reply is complete at once unless its last
// datagram may have been cut for lack of room; continuation headers never reach the text.

#include "status/ReplyDatagram.h"

#include "qw-demo-server/SimulatedMatch.h"
#include "qw-demo-server/StatusReplyWriter.h"
#include "status/StatusReplyReader.h"

#include <gtest/gtest.h>

namespace {

std::string Datagram(const std::string& text)
{
    return std::string(kPrintHeader) + text + std::string(1, '\0');
}

TEST(ReplyDatagramTest, EveryServerReplyIsCompleteAtItsLastDatagramAndNotBefore)
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

                std::string text;
                for (std::size_t index = 0; index < datagrams.size(); ++index) {
                    const auto verdict = AppendReplyDatagram(text, datagrams[index]);
                    const bool last = index + 1 == datagrams.size();
                    // A last datagram that is nearly full costs one quiet period, no more.
                    const bool nearlyFull =
                        datagrams[index].size() - kPrintHeader.size() - 1 >= kContinuationThreshold;
                    const auto expected =
                        last && !nearlyFull ? ReplyVerdict::Complete : ReplyVerdict::MayContinue;
                    EXPECT_EQ(verdict, expected) << index;
                }
                std::string joined;
                for (const auto& piece : pieces)
                    joined += piece;
                EXPECT_EQ(text, std::string(kPrintHeader) + joined);
            }
        }
    }
}

TEST(ReplyDatagramTest, ContinuationHeaderDoesNotCorruptTheNextPlayerLine)
{
    std::string text;
    const std::string fullText =
        "\\map\\dm3\n" + std::string(1250, 'x').insert(0, "1 2 3 4 \"") + "\" \"\" 0 0\n";
    EXPECT_EQ(AppendReplyDatagram(text, Datagram(fullText)), ReplyVerdict::MayContinue);
    EXPECT_EQ(AppendReplyDatagram(text, Datagram("17 5 6 7 \"next\" \"red\" 4 4\n")),
              ReplyVerdict::Complete);

    StatusModel model;
    ReadStatusReply(text, model);
    ASSERT_EQ(model.playerCount, 2);
    EXPECT_EQ(model.players[1].userId, 17);
    EXPECT_EQ(model.players[1].name, "next");
}

TEST(ReplyDatagramTest, DatagramCutInsideALineWaitsForMore)
{
    std::string text;
    EXPECT_EQ(AppendReplyDatagram(text, Datagram("\\map\\dm3\n1 2 3 4 \"na")),
              ReplyVerdict::MayContinue);
    EXPECT_EQ(AppendReplyDatagram(text, Datagram("me\" \"\" 0 0\n")), ReplyVerdict::Complete);
    EXPECT_EQ(text, std::string(kPrintHeader) + "\\map\\dm3\n1 2 3 4 \"name\" \"\" 0 0\n");
}

TEST(ReplyDatagramTest, PrintHeaderIsKeptOnlyAtTheStartOfTheText)
{
    const std::string header(kPrintHeader);
    struct Case
    {
        const char* name;
        std::vector<std::string> datagrams;
        std::string text;
    };
    const Case cases[] = {
        {"three pieces",
         {header + "\\a", header + "\\b", header + "\\c\n"},
         header + "\\a\\b\\c\n"},
        {"no headers at all", {"one", "two"}, "onetwo"},
        {"first adds nothing", {std::string("\0x", 2), header + "abc\n"}, header + "abc\n"},
        {"header only, then text", {header, header + "\\map\n"}, header + "\\map\n"},
        {"header inside a later datagram stays", {"a", "b" + header}, "ab" + header},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        std::string text;
        for (const std::string& datagram : test.datagrams)
            AppendReplyDatagram(text, datagram);
        EXPECT_EQ(text, test.text);
    }
}

TEST(ReplyDatagramTest, TakesEachDatagramOnlyUpToItsFirstZeroByte)
{
    std::string text;
    AppendReplyDatagram(text, std::string("\xff\xff\xff\xffn\\map\\e1m1\n\0tail\n", 21));
    EXPECT_EQ(text, std::string(kPrintHeader) + "\\map\\e1m1\n");
}

TEST(ReplyDatagramTest, EndlessFullDatagramsAreCutOffAtTheReplyLimit)
{
    std::string text;
    const std::string full = Datagram(std::string(kMaxDatagramBytes - 6, 'x'));
    int appended = 0;
    while (AppendReplyDatagram(text, full) == ReplyVerdict::MayContinue)
        ASSERT_LT(++appended, 100);
    EXPECT_EQ(text.size(), kMaxReplyTextBytes);
}

} // namespace
