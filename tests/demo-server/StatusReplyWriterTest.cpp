// SPDX-License-Identifier: GPL-2.0-or-later
// The demo server's reply format: what the request flags list, and how a long reply is cut into
// datagrams at the ends of print pieces.

#include "qw-demo-server/StatusReplyWriter.h"

#include "qw-demo-server/Scenario.h"
#include "qw-demo-server/SimulatedMatch.h"
#include "status/StatusReplyReader.h"
#include "status/StatusWireFormat.h"

#include <gtest/gtest.h>

namespace {

SimulatedClient Client(int userId, std::string name, bool spectator = false)
{
    SimulatedClient client;
    client.userId = userId;
    client.name = std::move(name);
    client.skin = spectator ? "" : "red";
    client.team = spectator ? "" : "red";
    client.topColor = 3;
    client.bottomColor = 4;
    client.frags = 12;
    client.connectedSeconds = 610;
    client.ping = 45;
    client.spectator = spectator;
    return client;
}

std::string Joined(const std::vector<std::string>& pieces)
{
    std::string text;
    for (const auto& piece : pieces)
        text += piece;
    return text;
}

const std::vector<ServerInfoPair> kInfo{{"hostname", "demo"}, {"map", "dm3"}};

TEST(StatusReplyWriterTest, OldStyleRequestListsServerInfoAndPlayersOnly)
{
    SimulatedClient joining = Client(7, "new one");
    joining.connectingSecondsLeft = 3;
    const std::vector<SimulatedClient> clients{Client(5, "Alpha"), Client(6, "Watcher", true),
                                               joining};
    EXPECT_EQ(Joined(StatusReplyPieces(kInfo, clients, 0)),
              "\\hostname\\demo\\map\\dm3\n"
              "5 12 10 45 \"Alpha\" \"red\" 3 4\n"
              "7 12 10 999 \"new one\" \"red\" 3 4\n");
}

TEST(StatusReplyWriterTest, QuakestatFlagsAddSpectatorsAndTeams)
{
    const std::vector<SimulatedClient> clients{Client(5, "Alpha"), Client(6, "Watcher", true)};
    const auto pieces = StatusReplyPieces(kInfo, clients, 23);
    EXPECT_EQ(Joined(pieces), "\\hostname\\demo\\map\\dm3\n"
                              "5 12 10 45 \"Alpha\" \"red\" 3 4 \"red\"\n"
                              "6 -9999 10 -45 \"\\s\\Watcher\" \"\" 3 4 \"\"\n");
    // A line's body, its team field and its newline are separate print pieces.
    ASSERT_EQ(pieces.size(), 7u);
    EXPECT_EQ(pieces[2], " \"red\"");
    EXPECT_EQ(pieces[3], "\n");
}

TEST(StatusReplyWriterTest, ClientTypeFollowsTheTeamAndSpectatorsCanShowAsPlayers)
{
    SimulatedClient bot = Client(7, "Robo");
    bot.bot = true;
    const std::vector<SimulatedClient> clients{Client(5, "Alpha"), bot, Client(6, "Watcher", true)};
    EXPECT_EQ(Joined(StatusReplyPieces(kInfo, clients, kExtendedStatusFlags)),
              "\\hostname\\demo\\map\\dm3\n"
              "5 12 10 45 \"Alpha\" \"red\" 3 4 \"red\" \"h\"\n"
              "7 12 10 45 \"Robo\" \"red\" 3 4 \"red\" \"b\"\n"
              "6 -9999 10 -45 \"\\s\\Watcher\" \"\" 3 4 \"\" \"h\"\n");
    EXPECT_EQ(Joined(StatusReplyPieces(kInfo, clients,
                                       kStatusPlayers | kStatusSpectators |
                                           kStatusSpectatorsAsPlayers | kStatusShowClientType)),
              "5 12 10 45 \"Alpha\" \"red\" 3 4 \"h\"\n"
              "7 12 10 45 \"Robo\" \"red\" 3 4 \"b\"\n"
              "6 S 10 45 \"Watcher\" \"\" 3 4 \"h\"\n");
}

TEST(StatusReplyWriterTest, FlagsChooseTheSections)
{
    const std::vector<SimulatedClient> clients{Client(5, "Alpha")};
    EXPECT_EQ(Joined(StatusReplyPieces(kInfo, clients, 1)), "\\hostname\\demo\\map\\dm3\n");
    EXPECT_EQ(Joined(StatusReplyPieces(kInfo, clients, 2)), "5 12 10 45 \"Alpha\" \"red\" 3 4\n");
}

TEST(StatusReplyWriterTest, LongReplyIsCutAtPieceEndsIntoFullDatagrams)
{
    // Pieces of 100 bytes: 13 fit in a 1340-byte buffer, the 14th starts a new datagram.
    std::vector<std::string> pieces(30, std::string(99, 'p') + "\n");
    pieces.insert(pieces.begin() + 13, std::string(40, 'b')); // a body without its newline
    const auto datagrams = PackReplyDatagrams(pieces, kServerPrintBufferBytes);
    ASSERT_EQ(datagrams.size(), 3u);

    std::string text;
    for (const std::string& datagram : datagrams) {
        ASSERT_TRUE(datagram.starts_with(kPrintHeader));
        ASSERT_TRUE(datagram.ends_with('\0'));
        const std::string piece = datagram.substr(5, datagram.size() - 6);
        EXPECT_LE(piece.size(), kServerPrintBufferBytes);
        EXPECT_EQ(piece.find('\0'), std::string::npos);
        text += piece;
    }
    EXPECT_EQ(text, Joined(pieces));
    EXPECT_EQ(datagrams[0].size(), 5 + 1340 + 1u); // 13 pieces and the 40-byte body
}

TEST(StatusReplyWriterTest, FullScenarioSpansSeveralDatagramsThatReadBackWhole)
{
    MatchSettings settings = SettingsForScenario(Scenario::Full, {});
    SimulatedMatch match(settings);
    std::mt19937 random(1);
    const auto datagrams = ScenarioReply(Scenario::Full, match, 0, random);
    ASSERT_GE(datagrams.size(), 2u);

    std::string text;
    for (const std::string& datagram : datagrams)
        text += datagram.substr(5, datagram.size() - 6);
    StatusModel model;
    ReadStatusReply("\\" + text.substr(1), model);
    EXPECT_EQ(model.playerCount, 32);
    EXPECT_EQ(model.serverInfo.infoCount, kMaxServerInfoPairs); // 27 sent, 25 kept
    for (int row = 0; row < model.playerCount; ++row)
        EXPECT_EQ(model.players[row].name.size(), 31u) << row;
}

TEST(StatusReplyWriterTest, FaultScenariosGiveTheirDatagrams)
{
    SimulatedMatch match(MatchSettings{});
    std::mt19937 random(1);
    EXPECT_TRUE(ScenarioReply(Scenario::Silent, match, 0, random).empty());
    EXPECT_EQ(ScenarioReply(Scenario::EmptyDatagram, match, 0, random),
              std::vector<std::string>{""});
    EXPECT_EQ(ScenarioReply(Scenario::Exact4096, match, 0, random).at(0).size(), 4096u);
    EXPECT_EQ(ScenarioReply(Scenario::Oversize, match, 0, random).at(0).size(),
              kOversizeDatagramBytes);

    const std::string whole = ScenarioReply(Scenario::Normal, match, 0, random).at(0);
    const auto split = ScenarioReply(Scenario::Split, match, 0, random);
    ASSERT_EQ(split.size(), 2u);
    const std::string first = split[0].substr(5, split[0].size() - 6);
    EXPECT_FALSE(first.ends_with('\n'));
    EXPECT_EQ(ReplyDatagram(first + split[1].substr(5, split[1].size() - 6)), whole);

    const std::string zero = ScenarioReply(Scenario::ZeroByte, match, 0, random).at(0);
    const std::string beforeZero = zero.substr(0, zero.find('\0'));
    EXPECT_EQ(std::count(beforeZero.begin(), beforeZero.end(), '\n'), 1 + 4); // info, 4 players
}

} // namespace
