// SPDX-License-Identifier: GPL-2.0-or-later
// Speed of the status core on a full server: reading the committed 32-player reply, and the
// totals and ordering of 33 players, and the events between two replies of a watch. Run from the
// build folder: bench/status/tallyhawk_status_bench

#include "TestData.h"
#include "status/Standings.h"
#include "status/StatusReplyReader.h"
#include "status/WatchEventTracker.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// With --benchmark_repetitions, the fastest repetition is the one least disturbed by other work
// on a shared machine; report it beside the mean and median.
double Fastest(const std::vector<double>& values)
{
    return *std::min_element(values.begin(), values.end());
}

// The dialog keeps one model and reads every reply into it, so the model is reused here too.
void BM_ReadFullServerReply(benchmark::State& state)
{
    const std::string reply = ReadTestDataFile("full-server.reply");
    if (reply.empty()) {
        state.SkipWithError("tests/data/full-server.reply is missing");
        return;
    }
    StatusModel model;
    for (auto _ : state) {
        ReadStatusReply(reply, model);
        benchmark::DoNotOptimize(model);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * reply.size()));
}
BENCHMARK(BM_ReadFullServerReply)->ComputeStatistics("min", Fastest);

// 33 players in reply order: frags from a match in progress, with ties, names long and short.
StatusModel UnorderedModel33()
{
    static constexpr std::int32_t kFrags[kMaxPlayers] = {12, 54, 3,  47, 33, -2, 47, 29, 0,  21, 18,
                                                         33, 9,  15, 26, 7,  40, 11, 3,  22, 17, -5,
                                                         14, 31, 8,  19, 2,  24, 6,  1,  12, 0,  0};
    StatusModel model;
    for (std::int32_t row = 0; row < kMaxPlayers; ++row) {
        PlayerEntry& player = model.players[row];
        player.userId = 100 + row;
        player.frags = kFrags[row];
        player.minutes = 40 - row;
        player.ping = 20 + 7 * row;
        player.name = row % 3 == 0 ? "player " + std::to_string(row) + " with a long clan name"
                                   : "p" + std::to_string(row);
        player.skin = row % 2 == 0 ? "base" : "tf_scout";
        player.topColor = row % 14;
        player.bottomColor = row % 2 == 0 ? 4 : 13;
    }
    model.playerCount = kMaxPlayers;
    model.serverEmpty = false;
    return model;
}

// Each iteration starts again from the unordered rows; the copy is part of the timed work, and
// BM_CopyPlayers33 below times the copy alone so it can be taken off.
void BM_TotalsAndOrdering33(benchmark::State& state)
{
    const StatusModel unordered = UnorderedModel33();
    StatusModel model = unordered;
    const TeamTexts teamTexts = {"base", "tf_scout", "tf_sold"};
    for (auto _ : state) {
        model.players = unordered.players;
        StandingsTotals totals = ComputeStandingsTotals(model, TeamMode::Skin, teamTexts);
        OrderPlayersByFrags(model);
        benchmark::DoNotOptimize(totals);
        benchmark::DoNotOptimize(model);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TotalsAndOrdering33)->ComputeStatistics("min", Fastest);

void BM_CopyPlayers33(benchmark::State& state)
{
    const StatusModel unordered = UnorderedModel33();
    StatusModel model = unordered;
    for (auto _ : state) {
        model.players = unordered.players;
        benchmark::DoNotOptimize(model);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyPlayers33)->ComputeStatistics("min", Fastest);

// The events after every answered query of a watch: with the same 32 players as the reply before
// (the usual case) the comparison must cost a small part of reading the reply
// (BM_ReadFullServerReply). Players ordered by frags, as both front ends hand them over.
void BM_WatchEventsSamePlayers32(benchmark::State& state)
{
    const std::string reply = ReadTestDataFile("full-server.reply");
    if (reply.empty()) {
        state.SkipWithError("tests/data/full-server.reply is missing");
        return;
    }
    StatusModel model;
    ReadStatusReply(reply, model);
    OrderPlayersByFrags(model);
    WatchEventTracker tracker(8);
    tracker.Compare(model);
    for (auto _ : state) {
        std::vector<WatchEvent> events = tracker.Compare(model);
        benchmark::DoNotOptimize(events);
        benchmark::ClobberMemory();
    }
    state.counters["players"] = model.playerCount;
}
BENCHMARK(BM_WatchEventsSamePlayers32)->ComputeStatistics("min", Fastest);

// The same players, but every other reply in another order (as after a reshuffle of the frag
// order), so no player is where the reply before had it.
void BM_WatchEventsSamePlayersReordered32(benchmark::State& state)
{
    const std::string reply = ReadTestDataFile("full-server.reply");
    if (reply.empty()) {
        state.SkipWithError("tests/data/full-server.reply is missing");
        return;
    }
    StatusModel ordered;
    ReadStatusReply(reply, ordered);
    StatusModel reversed = ordered;
    std::reverse(reversed.players.begin(), reversed.players.begin() + reversed.playerCount);
    WatchEventTracker tracker(8);
    tracker.Compare(ordered);
    bool toReversed = true;
    for (auto _ : state) {
        std::vector<WatchEvent> events = tracker.Compare(toReversed ? reversed : ordered);
        toReversed = !toReversed;
        benchmark::DoNotOptimize(events);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WatchEventsSamePlayersReordered32)->ComputeStatistics("min", Fastest);

// A busy reply: four of the 32 players left and four others joined since the reply before, so
// every compare gives two grouped events and remembers the players again.
void BM_WatchEventsFourReplaced32(benchmark::State& state)
{
    const std::string reply = ReadTestDataFile("full-server.reply");
    if (reply.empty()) {
        state.SkipWithError("tests/data/full-server.reply is missing");
        return;
    }
    StatusModel first;
    ReadStatusReply(reply, first);
    StatusModel second = first;
    for (std::size_t row = 0; row < 4; ++row)
        second.players[row].userId += 1000;
    WatchEventTracker tracker;
    tracker.Compare(first);
    bool toSecond = true;
    for (auto _ : state) {
        std::vector<WatchEvent> events = tracker.Compare(toSecond ? second : first);
        toSecond = !toSecond;
        benchmark::DoNotOptimize(events);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WatchEventsFourReplaced32)->ComputeStatistics("min", Fastest);

} // namespace

BENCHMARK_MAIN();
