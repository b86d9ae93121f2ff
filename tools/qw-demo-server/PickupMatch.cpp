// SPDX-License-Identifier: GPL-2.0-or-later
// The steps of the pickup game. A round of a server with N slots:
//   step 0 to N   that many players, "Standby"
//   step N+1      N players, "Countdown"
//   step N+2 ...  "3 min left", "2 min left", "1 min left", frags going up
//   last step     "Standby" with the final frags
// Each round has new user ids, as every player connects again.
#include "qw-demo-server/PickupMatch.h"

#include "qw-demo-server/NamePool.h"

#include <algorithm>
#include <array>
#include <random>

namespace {

constexpr int kFirstUserId = 101;

struct TeamLook
{
    const char* name;
    int bottomColor;
};
constexpr std::array<TeamLook, 3> kTeams{{{"red", 4}, {"blue", 13}, {"gold", 12}}};

} // namespace

PickupMatch::PickupMatch(const MatchSettings& settings)
    : slots(std::clamp(settings.players, 2, kMaxClients)), seed(settings.seed),
      teams(std::clamp(settings.teams, 2, 3))
{
    std::mt19937 random(seed);
    names = PickNames(static_cast<std::size_t>(slots), settings.longNames, random);
}

void PickupMatch::GoToStep(std::int64_t step)
{
    const std::int64_t round = std::max<std::int64_t>(0, step) / StepsPerRound();
    const int position = static_cast<int>(std::max<std::int64_t>(0, step) % StepsPerRound());
    const int players = std::min(position, slots);
    // Minutes of the match played at this step: none before it starts, all of them at the end.
    const int minutesPlayed = std::clamp(position - (slots + 1), 0, kMatchMinutes);
    if (position <= slots)
        status = "Standby";
    else if (position == slots + 1)
        status = "Countdown";
    else if (position < StepsPerRound() - 1)
        status = std::to_string(kMatchMinutes - (position - slots - 2)) + " min left";
    else
        status = "Standby";

    std::mt19937 random(seed + static_cast<unsigned>(round) * 7919u);
    clients.clear();
    for (int index = 0; index < players; ++index) {
        SimulatedClient player;
        player.userId = kFirstUserId + static_cast<int>(round % 1000) * kMaxClients + index;
        player.name = names[static_cast<std::size_t>(index)];
        const TeamLook& team = kTeams[static_cast<std::size_t>(index % teams)];
        player.team = team.name;
        player.skin = team.name;
        player.topColor = team.bottomColor;
        player.bottomColor = team.bottomColor;
        player.ping = std::uniform_int_distribution<int>(12, 90)(random);
        // Each player waited one step per player who joined after them.
        player.connectedSeconds = 60.0 * (players - index + minutesPlayed);
        clients.push_back(player);
    }
    // A minute of play gives each player a few frags (and now and then a suicide).
    for (int minute = 0; minute < minutesPlayed; ++minute)
        for (SimulatedClient& player : clients)
            player.frags += std::uniform_int_distribution<int>(-1, 9)(random);
}

std::vector<ServerInfoPair> PickupMatch::ServerInfo() const
{
    return {
        {"hostname", "Tallyhawk pickup server"},
        {"maxclients", std::to_string(slots)},
        {"maxspectators", "4"},
        {"map", "dm2"},
        {"fraglimit", "0"},
        {"timelimit", std::to_string(kMatchMinutes)},
        {"teamplay", "2"},
        {"deathmatch", "1"},
        {"*version", "qw-demo-server 1.0"},
        {"*gamedir", "qw"},
        {"status", status},
    };
}
