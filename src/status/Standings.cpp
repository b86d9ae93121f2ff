// Standings totals and the frags ordering over the status model. Pure functions.

#include "Standings.h"

#include "DecimalText.h"

#include <algorithm>
#include <cstdint>
#include <limits>

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
    return !player.skin.empty() && player.skin == teamText;
}

} // namespace

StandingsTotals ComputeStandingsTotals(const StatusModel& model, TeamMode mode,
                                       const TeamTexts& teamTexts)
{
    std::array<std::int32_t, 3> teamColors{};
    for (std::size_t team = 0; team < teamTexts.size(); ++team)
        teamColors[team] = DecimalTextToInt(teamTexts[team]);

    StandingsTotals totals;
    for (std::int32_t row = 0; row < model.playerCount; ++row) {
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
    const auto first = model.players.begin();
    std::stable_sort(first, first + model.playerCount,
                     [](const PlayerEntry& a, const PlayerEntry& b) { return a.frags > b.frags; });
}
