// SPDX-License-Identifier: GPL-2.0-or-later
// The simulated match: reproducible, alive, and always within what a real server sends.

#include "qw-demo-server/SimulatedMatch.h"

#include "qw-demo-server/NamePool.h"

#include <gtest/gtest.h>
#include <set>

namespace {

void ExpectValidClients(const SimulatedMatch& match)
{
    std::set<int> userIds;
    for (const SimulatedClient& client : match.Clients()) {
        EXPECT_TRUE(IsValidNameText(client.name)) << client.name;
        EXPECT_TRUE(IsValidNameText(client.skin)) << client.skin;
        EXPECT_GE(client.topColor, 0);
        EXPECT_LE(client.topColor, 16);
        EXPECT_GE(client.bottomColor, 0);
        EXPECT_LE(client.bottomColor, 16);
        EXPECT_TRUE(userIds.insert(client.userId).second) << client.userId;
        if (!client.spectator) {
            // Teams are told apart by skin and by bottom colour alike.
            const int expectedColor = client.skin == "red" ? 4 : client.skin == "blue" ? 13 : 12;
            EXPECT_EQ(client.bottomColor, expectedColor) << client.name;
        }
    }
}

TEST(SimulatedMatchTest, SameSeedPlaysTheSameMatch)
{
    SimulatedMatch first(MatchSettings{.players = 12, .teams = 3, .seed = 42});
    SimulatedMatch second(MatchSettings{.players = 12, .teams = 3, .seed = 42});
    first.AdvanceTo(900);
    second.AdvanceTo(300);
    second.AdvanceTo(900);
    ASSERT_EQ(first.Clients().size(), second.Clients().size());
    for (std::size_t index = 0; index < first.Clients().size(); ++index) {
        EXPECT_EQ(first.Clients()[index].name, second.Clients()[index].name);
        EXPECT_EQ(first.Clients()[index].frags, second.Clients()[index].frags);
        EXPECT_EQ(first.Clients()[index].ping, second.Clients()[index].ping);
    }
}

TEST(SimulatedMatchTest, MatchGoesOnWithinRealLimits)
{
    SimulatedMatch match(MatchSettings{.players = 8, .teams = 2, .seed = 3});
    ExpectValidClients(match);
    ASSERT_EQ(match.Clients().size(), 9u); // eight players and one spectator
    const auto before = match.Clients();

    bool fragsFell = false;
    bool sawConnecting = false;
    int previousTotal = 0;
    for (double seconds = 10; seconds <= 3600; seconds += 10) {
        match.AdvanceTo(seconds);
        ExpectValidClients(match);
        int total = 0;
        for (const auto& client : match.Clients()) {
            total += client.spectator ? 0 : client.frags;
            sawConnecting = sawConnecting || client.connectingSecondsLeft > 0;
        }
        fragsFell = fragsFell || total < previousTotal;
        previousTotal = total;
    }
    EXPECT_TRUE(fragsFell) << "no suicide or team kill in an hour";
    EXPECT_TRUE(sawConnecting) << "nobody joined in an hour";
    EXPECT_GT(match.Clients().front().connectedSeconds, before.front().connectedSeconds);
}

TEST(SimulatedMatchTest, NamesCarrySpacesHighBitAndGlyphBytes)
{
    SimulatedMatch match(MatchSettings{.players = 32, .teams = 2, .seed = 5});
    bool space = false;
    bool highBit = false;
    bool glyph = false;
    for (const auto& client : match.Clients()) {
        for (const char c : client.name) {
            const auto byte = static_cast<unsigned char>(c);
            space = space || byte == ' ';
            highBit = highBit || byte >= 128;
            glyph = glyph || byte < 32;
        }
    }
    EXPECT_TRUE(space && highBit && glyph);
}

} // namespace
