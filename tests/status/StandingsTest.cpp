// SPDX-License-Identifier: GPL-2.0-or-later
// Totals in Color and Skin mode, saturating sums, and the stable frags ordering.

#include "status/Standings.h"

#include "StatusTestSupport.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// A model holding these players in reply order. The rows past them hold a stale player that
// no computation may see.
StatusModel ModelOf(const std::vector<PlayerEntry>& players)
{
    StatusModel model;
    model.players.fill(Player(99, 1000, 1000, 5, "stale", "base", 4, 4));
    for (const PlayerEntry& player : players)
        model.players[model.playerCount++] = player;
    model.serverEmpty = players.empty();
    return model;
}

// A player who matters only by frags, minutes, bottom colour and skin.
PlayerEntry Scorer(std::int32_t frags, std::int32_t minutes, std::int32_t topColor,
                   std::int32_t bottomColor, std::string skin)
{
    return Player(1, frags, minutes, 50, "player", std::move(skin), topColor, bottomColor);
}

struct TotalsCase
{
    const char* name;
    TeamMode mode;
    TeamTexts teamTexts;
    std::vector<PlayerEntry> players;
    StandingsTotals expected;

    // Failure messages name the case instead of dumping its bytes.
    friend void PrintTo(const TotalsCase& testCase, std::ostream* out) { *out << testCase.name; }
};

class StandingsTotalsTest : public testing::TestWithParam<TotalsCase>
{};

TEST_P(StandingsTotalsTest, ComputesTotals)
{
    const TotalsCase& testCase = GetParam();
    EXPECT_EQ(ComputeStandingsTotals(ModelOf(testCase.players), testCase.mode, testCase.teamTexts),
              testCase.expected);
}

StandingsTotals Totals(std::int32_t totalFrags, std::int32_t team1, std::int32_t team2,
                       std::int32_t team3, std::int32_t longestMinutes)
{
    return StandingsTotals{totalFrags, {team1, team2, team3}, longestMinutes};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StandingsTotalsTest,
    testing::Values(
        TotalsCase{
            "NoPlayersGiveZeros", TeamMode::Color, {"0", "0", "0"}, {}, Totals(0, 0, 0, 0, 0)},
        TotalsCase{"OnePlayerWithNegativeMinutes",
                   TeamMode::Skin,
                   {"base", "", ""},
                   {Scorer(7, -3, 0, 0, "base")},
                   Totals(7, 7, 0, 0, 0)},
        TotalsCase{"ColorMatchesBottomColorOnly",
                   TeamMode::Color,
                   {"4", "", "13"},
                   {Scorer(10, 5, 0, 4, "a"), Scorer(20, 9, 4, 0, "b"), Scorer(40, 7, 4, 13, "c")},
                   Totals(70, 10, 20, 40, 9)},
        TotalsCase{"ColorTextReadsLeadingNumberAndTwoTeamsMayShareIt",
                   TeamMode::Color,
                   {"  4abc", "4", "x"},
                   {Scorer(10, 1, 0, 4, ""), Scorer(3, 1, 0, 0, "")},
                   Totals(13, 10, 10, 3, 1)},
        TotalsCase{"ColorNegativeFragsSubtract",
                   TeamMode::Color,
                   {"1", "2", "3"},
                   {Scorer(10, 1, 0, 1, ""), Scorer(-4, 1, 0, 1, "")},
                   Totals(6, 6, 0, 0, 1)},
        TotalsCase{"SkinMatchIsExact",
                   TeamMode::Skin,
                   {"Base", "base ", "base"},
                   {Scorer(10, 3, 0, 0, "base"), Scorer(5, 2, 0, 0, "Base")},
                   Totals(15, 5, 0, 10, 3)},
        TotalsCase{"SkinEmptyMatchesNobody",
                   TeamMode::Skin,
                   {"", "", "tf_sold"},
                   {Scorer(10, 3, 0, 0, ""), Scorer(5, 2, 0, 0, "tf_sold")},
                   Totals(15, 0, 0, 5, 3)},
        TotalsCase{"SkinModeIgnoresColors",
                   TeamMode::Skin,
                   {"4", "13", "0"},
                   {Scorer(10, 3, 4, 4, "base")},
                   Totals(10, 0, 0, 0, 3)},
        TotalsCase{"SumsSaturateAtLargestValue",
                   TeamMode::Color,
                   {"0", "1", "2"},
                   {Scorer(kMax, 1, 0, 0, ""), Scorer(kMax, 1, 0, 0, ""), Scorer(1, 1, 0, 0, "")},
                   Totals(kMax, kMax, 0, 0, 1)},
        TotalsCase{"SumsSaturateAtSmallestValue",
                   TeamMode::Color,
                   {"0", "1", "2"},
                   {Scorer(kMin, 1, 0, 0, ""), Scorer(-1, 1, 0, 0, "")},
                   Totals(kMin, kMin, 0, 0, 1)},
        TotalsCase{
            "SaturatedSumRecoversInReplyOrder",
            TeamMode::Color,
            {"1", "", ""},
            {Scorer(kMax, 1, 0, 0, ""), Scorer(kMax, 1, 0, 0, ""), Scorer(kMin, 1, 0, 0, "")},
            Totals(-1, 0, -1, -1, 1)}),
    [](const testing::TestParamInfo<TotalsCase>& info) { return info.param.name; });

TEST(StandingsTotalsLimitTest, ThirtyThreeExtremePlayersSaturate)
{
    StatusModel model;
    model.playerCount = kMaxPlayers;
    for (PlayerEntry& player : model.players)
        player = Scorer(kMax, kMax, 0, 0, "base");
    const StandingsTotals totals = ComputeStandingsTotals(model, TeamMode::Skin, {"base", "", ""});
    EXPECT_EQ(totals, Totals(kMax, kMax, 0, 0, kMax));
}

TEST(StandingsTotalsLimitTest, PlayerCountOutsideTheArrayIsKeptWithinIt)
{
    StatusModel model = ModelOf({});
    model.playerCount = kMaxPlayers + 5;
    EXPECT_EQ(ComputeStandingsTotals(model, TeamMode::Color, {"4", "", ""}).totalFrags,
              kMaxPlayers * 1000);
    OrderPlayersByFrags(model);
    model.playerCount = -1;
    EXPECT_EQ(ComputeStandingsTotals(model, TeamMode::Color, {"4", "", ""}), Totals(0, 0, 0, 0, 0));
    OrderPlayersByFrags(model);
}

std::vector<std::int32_t> UserIds(const StatusModel& model)
{
    std::vector<std::int32_t> userIds;
    for (std::int32_t row = 0; row < model.playerCount; ++row)
        userIds.push_back(model.players[row].userId);
    return userIds;
}

TEST(OrderPlayersByFragsTest, MostFragsFirstTiesKeepReplyOrderWholeRecordsMove)
{
    const PlayerEntry first = Player(1, 5, 10, 20, "first five", "base", 1, 2);
    const PlayerEntry nine = Player(2, 9, 11, 21, "nine", "tf_sold", 3, 4);
    const PlayerEntry second = Player(3, 5, 12, 22, "second five", "", 5, 6);
    const PlayerEntry twelve = Player(4, 12, 13, 23, "twelve", "tf_scout", 7, 8);
    StatusModel model = ModelOf({first, nine, second, twelve});

    OrderPlayersByFrags(model);

    EXPECT_EQ(model.players[0], twelve);
    EXPECT_EQ(model.players[1], nine);
    EXPECT_EQ(model.players[2], first);
    EXPECT_EQ(model.players[3], second);
    EXPECT_EQ(model.players[4].name, "stale");
}

TEST(OrderPlayersByFragsTest, ComparesSignedValuesWithoutOverflow)
{
    StatusModel model =
        ModelOf({Player(1, -1, 0, 0, "", "", 0, 0), Player(2, kMin, 0, 0, "", "", 0, 0),
                 Player(3, kMax, 0, 0, "", "", 0, 0), Player(4, 0, 0, 0, "", "", 0, 0)});
    OrderPlayersByFrags(model);
    EXPECT_EQ(UserIds(model), (std::vector<std::int32_t>{3, 4, 1, 2}));
}

TEST(OrderPlayersByFragsTest, RowsPastPlayerCountStayPut)
{
    StatusModel model = ModelOf({Player(1, 3, 0, 0, "", "", 0, 0)});
    model.players[1] = Player(2, 50, 0, 0, "beyond the count", "", 0, 0);
    OrderPlayersByFrags(model);
    EXPECT_EQ(model.players[0].userId, 1);
    EXPECT_EQ(model.players[1].userId, 2);
}

// The exchange sort the ordering must agree with: n - 1 full passes, neighbours swapped only
// when the earlier has strictly fewer frags.
void ExchangeSort(std::vector<PlayerEntry>& players)
{
    for (std::size_t pass = 1; pass < players.size(); ++pass) {
        for (std::size_t row = 0; row + 1 < players.size(); ++row) {
            if (players[row].frags < players[row + 1].frags)
                std::swap(players[row], players[row + 1]);
        }
    }
}

TEST(OrderPlayersByFragsTest, AgreesWithExchangeSortOnManyTies)
{
    std::mt19937 random(20261210);
    std::uniform_int_distribution<std::int32_t> frags(-3, 4);
    std::uniform_int_distribution<std::int32_t> count(0, kMaxPlayers);
    for (int round = 0; round < 500; ++round) {
        std::vector<PlayerEntry> players;
        const std::int32_t playerCount = count(random);
        for (std::int32_t userId = 0; userId < playerCount; ++userId)
            players.push_back(
                Player(userId, frags(random), userId, 0, "p" + std::to_string(userId), "s", 0, 0));
        StatusModel model = ModelOf(players);

        OrderPlayersByFrags(model);
        ExchangeSort(players);

        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_EQ(model.playerCount, playerCount);
        for (std::int32_t row = 0; row < playerCount; ++row)
            ASSERT_EQ(model.players[row], players[row]);
    }
}

} // namespace
