// SPDX-License-Identifier: GPL-2.0-or-later
// Standings totals and the frags ordering over the status model. Pure functions.

#include "status/Standings.h"

#include "status/DecimalText.h"
#include "status/StatusReplyReader.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <numeric>
#include <utility>

namespace {

// Frags are 32-bit and a reply may carry extreme values: sums saturate instead of overflowing.
std::int32_t SaturatingAdd(std::int32_t total, std::int32_t addend)
{
    const std::int64_t sum = std::int64_t{total} + addend;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        sum, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

bool IsOnTeam(const PlayerEntry& player, TeamMode mode, const std::string& teamText,
              std::int32_t teamColor)
{
    if (mode == TeamMode::Color)
        return player.bottomColor == teamColor;
    const std::string& field = mode == TeamMode::Team ? player.team : player.skin;
    return !field.empty() && field == teamText;
}

// The rows to use. The count is plain data a caller sets; it is kept within the array whatever
// it holds.
std::size_t RowCount(const StatusModel& model)
{
    return static_cast<std::size_t>(std::clamp(model.playerCount, 0, kMaxPlayers));
}

} // namespace

StandingsTotals ComputeStandingsTotals(const StatusModel& model, TeamMode mode,
                                       const TeamTexts& teamTexts)
{
    std::array<std::int32_t, 3> teamColors{};
    for (std::size_t team = 0; team < teamTexts.size(); ++team)
        teamColors[team] = DecimalTextToInt(teamTexts[team]);

    StandingsTotals totals;
    // Summed in row order: with saturation the order matters, and callers total before ordering.
    for (std::size_t row = 0; row < RowCount(model); ++row) {
        const PlayerEntry& player = model.players[row];
        totals.totalFrags = SaturatingAdd(totals.totalFrags, player.frags);
        for (std::size_t team = 0; team < teamTexts.size(); ++team) {
            if (IsOnTeam(player, mode, teamTexts[team], teamColors[team]))
                totals.teamTotal[team] = SaturatingAdd(totals.teamTotal[team], player.frags);
        }
        totals.longestMinutes = std::max(totals.longestMinutes, player.minutes);
    }
    return totals;
}

void OrderPlayersByFrags(StatusModel& model)
{
    // Order row numbers, then move each record once: a record holds two strings, and moving
    // records about is what a sort of them costs. The row number breaks ties, so equal frags
    // keep reply order without a stable sort (which would allocate).
    const std::size_t count = RowCount(model);
    auto& players = model.players;
    std::array<std::size_t, kMaxPlayers> order;
    std::iota(order.begin(), order.begin() + count, 0);
    std::sort(order.begin(), order.begin() + count, [&players](std::size_t a, std::size_t b) {
        if (players[a].frags != players[b].frags)
            return players[a].frags > players[b].frags;
        return a < b;
    });

    // Row i is to receive the record now at row order[i]. Follow each cycle of that permutation,
    // carrying its first record round; a row that holds its final record is marked order[i] == i.
    for (std::size_t start = 0; start < count; ++start) {
        if (order[start] == start)
            continue;
        PlayerEntry carried = std::move(players[start]);
        std::size_t target = start;
        while (order[target] != start) {
            const std::size_t source = order[target];
            players[target] = std::move(players[source]);
            order[target] = target;
            target = source;
        }
        players[target] = std::move(carried);
        order[target] = target;
    }
}

ReplyStandings ReadReplyStandings(std::string_view replyText, TeamMode mode,
                                  const TeamTexts& teamTexts, StatusLayout layout)
{
    ReplyStandings standings;
    ReadStatusReply(replyText, standings.model, layout);
    standings.totals = ComputeStandingsTotals(standings.model, mode, teamTexts);
    OrderPlayersByFrags(standings.model);
    return standings;
}
