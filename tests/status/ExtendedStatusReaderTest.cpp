// SPDX-License-Identifier: GPL-2.0-or-later
// The reader over answers to the extended request: team and bot fields, spectators in either
// marking kept apart from the players and the totals, and extra fields that do not follow the
// layout read as the plain line would be.

#include "StatusTestSupport.h"
#include "status/Standings.h"
#include "status/StatusReplyReader.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const std::string kHead = "\xff\xff\xff\xffn\\maxclients\\8\\map\\dm4\n";
const std::string kAliceLine = "3 12 25 40 \"alice\" \"base\" 4 13";
const PlayerEntry kAlice = Player(3, 12, 25, 40, "alice", "base", 4, 13);

PlayerEntry With(PlayerEntry player, std::string team, bool bot = false)
{
    player.team = std::move(team);
    player.bot = bot;
    return player;
}

struct ExtendedCase
{
    const char* name;
    std::string lines; // after the serverinfo section
    std::vector<PlayerEntry> players;
    std::vector<PlayerEntry> spectators;
};

const ExtendedCase kCases[] = {
    {"team and human", kAliceLine + " \"red\" \"h\"\n", {With(kAlice, "red")}, {}},
    {"bot", kAliceLine + " \"blue\" \"b\"\n", {With(kAlice, "blue", true)}, {}},
    {"team alone (a server without the client type)",
     kAliceLine + " \"red\"\n",
     {With(kAlice, "red")},
     {}},
    {"empty team", kAliceLine + " \"\" \"h\"\n", {With(kAlice, "")}, {}},
    {"no extra field (an older server)", kAliceLine + "\n", {kAlice}, {}},
    {"team with spaces and high-bit bytes",
     kAliceLine + " \"\x10 blue team\xe2\" \"h\"\n",
     {With(kAlice, "\x10 blue team\xe2")},
     {}},
    {"spectator marked by prefix and frags",
     "6 -9999 10 -45 \"\\s\\Watcher\" \"\" 3 4 \"\" \"h\"\n" + kAliceLine + " \"red\" \"h\"\n",
     {With(kAlice, "red")},
     {Player(6, 0, 10, 45, "Watcher", "", 3, 4)}},
    {"spectator whose ping is the lowest a reply can give",
     "6 -9999 10 -99999999999 \"\\s\\W\" \"\" 3 4\n",
     {},
     {Player(6, 0, 10, 9999, "W", "", 3, 4)}},
    {"spectator listed as a player with frags S",
     "6 S 10 45 \"Watcher\" \"\" 3 4 \"\"\n",
     {},
     {Player(6, 0, 10, 45, "Watcher", "", 3, 4)}},
    {"prefix without the spectator's frags is a player's name",
     "6 3 10 45 \"\\s\\odd\" \"base\" 3 4 \"red\"\n7 -9999 1 5 \"low\" \"base\" 3 4 \"red\"\n",
     {With(Player(6, 3, 10, 45, "\\s\\odd", "base", 3, 4), "red"),
      With(Player(7, -9999, 1, 5, "low", "base", 3, 4), "red")},
     {}},
    {"unclosed extra field reads as the plain line", kAliceLine + " \"red\n", {kAlice}, {}},
    {"unquoted extra field reads as the plain line", kAliceLine + " red h\n", {kAlice}, {}},
    {"text after a closed field reads as the plain line",
     kAliceLine + " \"red\"x \"h\"\n",
     {kAlice},
     {}},
    {"line cut inside the name keeps what the plain reader keeps",
     "1 2 3 4 \"never closed\n",
     {Player(1, 2, 3, 4, "never closed", "", 0, 0)},
     {}},
};

TEST(ExtendedStatusReaderTest, ReadsTeamsBotsAndSpectators)
{
    for (const ExtendedCase& test : kCases) {
        SCOPED_TRACE(test.name);
        StatusModel model;
        ReadStatusReply(kHead + test.lines, model, StatusLayout::Extended);
        ASSERT_EQ(model.playerCount, static_cast<std::int32_t>(test.players.size()));
        for (std::size_t row = 0; row < test.players.size(); ++row)
            EXPECT_EQ(model.players[row], test.players[row]) << "row " << row;
        EXPECT_EQ(model.spectators, test.spectators);
        EXPECT_EQ(model.serverEmpty, test.players.empty());
        EXPECT_EQ(model.serverInfo.infoCount, 2);
    }
}

TEST(ExtendedStatusReaderTest, PlainLayoutLeavesExtendedLinesAsTheWindowReadsThem)
{
    StatusModel model;
    ReadStatusReply(kHead + "6 -9999 10 -45 \"\\s\\Watcher\" \"\" 3 4 \"red\" \"b\"\n", model);
    ASSERT_EQ(model.playerCount, 1);
    EXPECT_EQ(model.players[0], Player(6, -9999, 10, -45, "\\s\\Watcher", "", 3, 4));
    EXPECT_TRUE(model.spectators.empty());
}

TEST(ExtendedStatusReaderTest, SpectatorsNeverCountAndTeamModeMatchesTheTeamField)
{
    const std::string reply = kHead + "1 10 5 20 \"a\" \"base\" 4 4 \"red\" \"h\"\n" +
                              "2 7 9 20 \"b\" \"red\" 4 4 \"blue\" \"b\"\n" +
                              "3 -9999 60 -20 \"\\s\\c\" \"red\" 4 4 \"red\" \"h\"\n" +
                              "4 S 70 20 \"d\" \"red\" 4 4 \"red\" \"h\"\n";
    const ReplyStandings standings =
        ReadReplyStandings(reply, TeamMode::Team, {"red", "blue", "base"}, StatusLayout::Extended);
    EXPECT_EQ(standings.model.playerCount, 2);
    EXPECT_EQ(standings.model.spectators.size(), 2u);
    EXPECT_EQ(standings.totals.totalFrags, 17);
    EXPECT_EQ(standings.totals.teamTotal, (std::array<std::int32_t, 3>{10, 7, 0}));
    EXPECT_EQ(standings.totals.longestMinutes, 9);

    // Skin mode reads the same players by their skins.
    EXPECT_EQ(
        ReadReplyStandings(reply, TeamMode::Skin, {"red", "blue", "base"}, StatusLayout::Extended)
            .totals.teamTotal,
        (std::array<std::int32_t, 3>{7, 0, 10}));
}

TEST(ExtendedStatusReaderTest, SpectatorsBeyondTheModelsRoomAreDropped)
{
    std::string lines;
    for (int index = 0; index < kMaxPlayers + 5; ++index)
        lines += std::to_string(index) + " S 1 1 \"s\" \"\" 0 0 \"\"\n";
    lines += kAliceLine + " \"red\"\n";
    StatusModel model;
    ReadStatusReply(kHead + lines, model, StatusLayout::Extended);
    EXPECT_EQ(model.spectators.size(), static_cast<std::size_t>(kMaxPlayers));
    ASSERT_EQ(model.playerCount, 1);
    EXPECT_EQ(model.players[0], With(kAlice, "red"));
}

} // namespace
