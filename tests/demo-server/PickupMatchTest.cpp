// SPDX-License-Identifier: GPL-2.0-or-later
// The pickup game's steps: players joining one by one up to the server's size, the countdown,
// the minutes counting down, the final standby, and the next round with new user ids.

#include "qw-demo-server/PickupMatch.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::string StatusOf(const PickupMatch& pickup)
{
    for (const ServerInfoPair& pair : pickup.ServerInfo())
        if (pair.key == "status")
            return pair.value;
    return "(none)";
}

int FragSum(const PickupMatch& pickup)
{
    int sum = 0;
    for (const SimulatedClient& client : pickup.Clients())
        sum += client.frags;
    return sum;
}

TEST(PickupMatchTest, PlaysARoundStepByStep)
{
    MatchSettings settings;
    settings.players = 4;
    PickupMatch pickup(settings);
    struct Step
    {
        int step;
        std::size_t players;
        const char* status;
    };
    const Step steps[] = {
        {0, 0, "Standby"},   {1, 1, "Standby"},    {3, 3, "Standby"},    {4, 4, "Standby"},
        {5, 4, "Countdown"}, {6, 4, "3 min left"}, {7, 4, "2 min left"}, {8, 4, "1 min left"},
        {9, 4, "Standby"},   {10, 0, "Standby"},   {14, 4, "Standby"},   {15, 4, "Countdown"},
    };
    ASSERT_EQ(pickup.StepsPerRound(), 10);
    for (const Step& expected : steps) {
        SCOPED_TRACE(expected.step);
        pickup.GoToStep(expected.step);
        EXPECT_EQ(pickup.Clients().size(), expected.players);
        EXPECT_EQ(StatusOf(pickup), expected.status);
    }
}

TEST(PickupMatchTest, ServerSizeIsMaxclientsAndFragsComeFromTheMatch)
{
    MatchSettings settings;
    settings.players = 3;
    PickupMatch pickup(settings);
    for (const ServerInfoPair& pair : pickup.ServerInfo()) {
        if (pair.key == "maxclients") {
            EXPECT_EQ(pair.value, "3");
        }
    }
    pickup.GoToStep(4); // countdown: nobody has played
    EXPECT_EQ(FragSum(pickup), 0);
    pickup.GoToStep(8); // the final standby keeps the match's frags
    const int final = FragSum(pickup);
    EXPECT_GT(final, 0);
    pickup.GoToStep(8);
    EXPECT_EQ(FragSum(pickup), final); // a step is computed from its number alone
}

TEST(PickupMatchTest, EachRoundConnectsWithNewUserIds)
{
    MatchSettings settings;
    settings.players = 2;
    PickupMatch pickup(settings);
    pickup.GoToStep(2);
    const SimulatedClient firstRound = pickup.Clients().at(0);
    pickup.GoToStep(2 + pickup.StepsPerRound());
    EXPECT_NE(pickup.Clients().at(0).userId, firstRound.userId);
    EXPECT_EQ(pickup.Clients().at(0).name, firstRound.name);
}

} // namespace
