// SPDX-License-Identifier: GPL-2.0-or-later
// The committed reply of a full server (tests/data/full-server.reply, 32 players): read, totals
// and ordering end to end, checked against values worked out by hand from the fixture's script.

#include "StatusTestSupport.h"
#include "TestData.h"
#include "status/Standings.h"
#include "status/StatusReplyReader.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The ornament glyphs the fixture puts around every name.
const std::string kDecoration = "\x1d\x1e\x1e\x1e\x1f\x85\x86\x87\x80\x84";

std::string Decorated(const std::string& name)
{
    return kDecoration + name + kDecoration;
}

class FullServerReplyTest : public testing::Test
{
protected:
    void SetUp() override
    {
        reply = ReadTestDataFile("full-server.reply");
        ASSERT_FALSE(reply.empty()) << "tests/data/full-server.reply is missing";
        ReadStatusReply(reply, model);
    }

    std::string reply;
    StatusModel model;
};

TEST_F(FullServerReplyTest, ReadsEveryPairAndPlayer)
{
    ASSERT_EQ(model.serverInfo.infoCount, 24);
    EXPECT_EQ(model.serverInfo.infoKeys[0], "*version");
    EXPECT_EQ(model.serverInfo.infoValues[0], "MVDSV 0.36-dev (linux) build 2023-08-14");
    EXPECT_EQ(model.serverInfo.infoKeys[6], "hostname");
    EXPECT_EQ(model.serverInfo.infoValues[6], "Hawk's Nest \x10"
                                              "EU\x11 :: Deathmatch Arena #1 :: 32 slots");
    EXPECT_EQ(model.serverInfo.infoKeys[23], "status");
    EXPECT_EQ(model.serverInfo.infoValues[23], "13 min left");

    ASSERT_EQ(model.playerCount, 32);
    EXPECT_FALSE(model.serverEmpty);
    EXPECT_EQ(
        model.players[0],
        Player(2112, 54, 19, 24, Decorated("\x10RED\x11 Overlord of Rocket Arena"), "base", 4, 4));
    // Red letters: the high bit set on "bloodhound".
    EXPECT_EQ(model.players[1].name,
              Decorated("\xe2\xec\xef\xef\xe4\xe8\xef\xf5\xee\xe4 the Second"));
    EXPECT_EQ(model.players[4],
              Player(2121, -2, 17, 220, Decorated("newbie with a very long nick"), "", 0, 0));
    EXPECT_EQ(model.players[7].ping, 999);
    EXPECT_EQ(model.players[31],
              Player(2162, 0, 0, 42, Decorated("brand new to the server"), "base", 14, 14));
}

TEST_F(FullServerReplyTest, TotalsInColorMode)
{
    const StandingsTotals totals = ComputeStandingsTotals(model, TeamMode::Color, {"4", "13", "0"});
    EXPECT_EQ(totals.totalFrags, 554);
    EXPECT_EQ(totals.teamTotal, (std::array<std::int32_t, 3>{336, 152, -2}));
    EXPECT_EQ(totals.longestMinutes, 19);
}

TEST_F(FullServerReplyTest, TotalsInSkinMode)
{
    const StandingsTotals totals =
        ComputeStandingsTotals(model, TeamMode::Skin, {"base", "tf_scout", "tf_sold"});
    EXPECT_EQ(totals.totalFrags, 554);
    EXPECT_EQ(totals.teamTotal, (std::array<std::int32_t, 3>{377, 119, 12}));
    EXPECT_EQ(totals.longestMinutes, 19);
}

TEST_F(FullServerReplyTest, OrderingPutsMostFragsFirstAndKeepsTiesInReplyOrder)
{
    OrderPlayersByFrags(model);
    const std::vector<std::int32_t> expectedUserIds = {
        2112, 2113, 2124, 2140, 2120, 2131, 2150, 2125, 2135, 2156, 2144,
        2127, 2153, 2130, 2145, 2134, 2148, 2117, 2160, 2141, 2133, 2151,
        2137, 2157, 2142, 2154, 2158, 2126, 2161, 2162, 2121, 2147};
    std::vector<std::int32_t> userIds;
    for (std::int32_t row = 0; row < model.playerCount; ++row)
        userIds.push_back(model.players[row].userId);
    EXPECT_EQ(userIds, expectedUserIds);
    EXPECT_EQ(model.players[31],
              Player(2147, -5, 8, 73, Decorated("suicidal lava swimmer \xf8"), "base", 5, 5));
}

} // namespace
