// SPDX-License-Identifier: GPL-2.0-or-later
// The simulated match advancing in time: kills, suicides, connect times, ping jitter, players
// leaving and joining, all drawn from the seeded generator.
#include "qw-demo-server/SimulatedMatch.h"

#include "qw-demo-server/NamePool.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kFirstUserId = 101;
constexpr double kConnectingSeconds = 6;
constexpr int kTimelimitMinutes = 20;

struct TeamLook
{
    const char* name; // the team key and the skin
    int bottomColor;
};

constexpr std::array<TeamLook, 3> kTeams{{{"red", 4}, {"blue", 13}, {"gold", 12}}};

bool IsPlaying(const SimulatedClient& client)
{
    return !client.spectator && client.connectingSecondsLeft <= 0;
}

} // namespace

SimulatedMatch::SimulatedMatch(const MatchSettings& settings)
    : settings(settings), random(settings.seed), nextUserId(kFirstUserId)
{
    this->settings.teams = std::clamp(settings.teams, 2, 3);
    const int players = std::clamp(settings.players, 0, kMaxClients);
    const bool withSpectator = settings.spectator && players < kMaxClients;
    // A few spare names for the players who join later.
    std::vector<std::string> names =
        PickNames(static_cast<std::size_t>(players + 1 + 6), settings.longNames, random);
    for (int index = 0; index < players; ++index) {
        SimulatedClient player = NewPlayer(names[index], index % this->settings.teams, false);
        player.connectedSeconds = std::uniform_real_distribution<double>(30, 1200)(random);
        player.frags = std::uniform_int_distribution<int>(-2, 25)(random);
        player.bot = index >= players - settings.bots;
        clients.push_back(player);
    }
    if (withSpectator) {
        SimulatedClient spectator = NewPlayer(names[players], 0, false);
        spectator.spectator = true;
        spectator.skin.clear();
        spectator.team.clear();
        spectator.frags = 0;
        spectator.connectedSeconds = 300;
        clients.push_back(spectator);
    }
    spareNames.assign(names.begin() + players + 1, names.end());
}

SimulatedClient SimulatedMatch::NewPlayer(const std::string& name, int team, bool connecting)
{
    SimulatedClient player;
    player.userId = nextUserId++;
    player.name = name;
    player.team = kTeams[static_cast<std::size_t>(team)].name;
    player.skin = player.team;
    player.bottomColor = kTeams[static_cast<std::size_t>(team)].bottomColor;
    // Most wear their team colour on top as well; some pick another top colour, which decides
    // nothing.
    player.topColor = std::uniform_int_distribution<int>(0, 3)(random) == 0
                          ? std::uniform_int_distribution<int>(0, 16)(random)
                          : player.bottomColor;
    basePings.push_back(std::uniform_int_distribution<int>(12, 140)(random));
    player.ping = basePings.back();
    player.connectingSecondsLeft = connecting ? kConnectingSeconds : 0;
    return player;
}

void SimulatedMatch::AdvanceTo(double matchSeconds)
{
    int steps = 0;
    while (playedSeconds + 1 <= matchSeconds && steps < kMaxStepsPerAdvance) {
        PlayOneSecond();
        ++steps;
    }
    // What a capped jump skipped is skipped for good.
    playedSeconds = std::max(playedSeconds, std::floor(matchSeconds));
}

void SimulatedMatch::ChangeOneFrag()
{
    std::vector<std::size_t> playing;
    for (std::size_t index = 0; index < clients.size(); ++index)
        if (IsPlaying(clients[index]))
            playing.push_back(index);
    if (playing.empty())
        return;
    auto pick = [&] {
        return playing[std::uniform_int_distribution<std::size_t>(0, playing.size() - 1)(random)];
    };
    SimulatedClient& killer = clients[pick()];
    const int kind = std::uniform_int_distribution<int>(0, 99)(random);
    if (kind < 6 || playing.size() == 1) {
        --killer.frags; // a suicide: the lava, a rocket at one's feet
        return;
    }
    const SimulatedClient& victim = clients[pick()];
    if (&victim == &killer)
        return;
    killer.frags += victim.team == killer.team ? -1 : 1; // a team kill costs a frag
}

void SimulatedMatch::PlayOneSecond()
{
    playedSeconds += 1;
    for (std::size_t index = 0; index < clients.size(); ++index) {
        SimulatedClient& client = clients[index];
        client.connectedSeconds += 1;
        client.connectingSecondsLeft = std::max(0.0, client.connectingSecondsLeft - 1);
        const int basePing = basePings[static_cast<std::size_t>(client.userId - kFirstUserId)];
        client.ping = std::max(5, basePing + std::uniform_int_distribution<int>(-4, 4)(random));
    }
    // About one frag every two seconds among eight players.
    const int playing = static_cast<int>(std::count_if(clients.begin(), clients.end(), IsPlaying));
    for (int chance = 0; chance < playing; ++chance)
        if (std::uniform_int_distribution<int>(0, 99)(random) < 6)
            ChangeOneFrag();

    // Now and then a player leaves, and some seconds later a new one takes the free slot.
    const int players = static_cast<int>(
        std::count_if(clients.begin(), clients.end(), [](auto& c) { return !c.spectator; }));
    const int wanted = std::clamp(settings.players, 0, kMaxClients);
    if (players == wanted && players > 1 &&
        std::uniform_int_distribution<int>(0, 999)(random) < 4) {
        std::vector<std::size_t> leavers;
        for (std::size_t index = 0; index < clients.size(); ++index)
            if (!clients[index].spectator)
                leavers.push_back(index);
        const std::size_t leaver =
            leavers[std::uniform_int_distribution<std::size_t>(0, leavers.size() - 1)(random)];
        spareNames.push_back(clients[leaver].name);
        clients.erase(clients.begin() + static_cast<std::ptrdiff_t>(leaver));
    } else if (players < wanted && std::uniform_int_distribution<int>(0, 9)(random) == 0 &&
               !spareNames.empty()) {
        const std::string name = spareNames.front();
        spareNames.erase(spareNames.begin());
        const int team = std::uniform_int_distribution<int>(0, settings.teams - 1)(random);
        // Joiners come after the others, before the spectator, as the server's slots run.
        auto position =
            std::find_if(clients.begin(), clients.end(), [](auto& c) { return c.spectator; });
        clients.insert(position, NewPlayer(name, team, true));
    }
}

std::vector<ServerInfoPair> SimulatedMatch::ServerInfo() const
{
    const int players = std::clamp(settings.players, 0, kMaxClients);
    const int minutesPlayed = static_cast<int>(playedSeconds / 60) % kTimelimitMinutes;
    std::vector<ServerInfoPair> info{
        {"hostname", "Tallyhawk demo server"},
        {"maxclients", players > 16 ? "32" : "16"},
        {"maxspectators", "4"},
        {"map", "dm3"},
        {"fraglimit", "0"},
        {"timelimit", std::to_string(kTimelimitMinutes)},
        {"teamplay", "2"},
        {"deathmatch", "3"},
        {"*version", "qw-demo-server 1.0"},
        {"*gamedir", "qw"},
        {"status", std::to_string(kTimelimitMinutes - minutesPlayed) + " min left"},
    };
    if (settings.extendedServerInfo) {
        const std::vector<ServerInfoPair> more{
            {"*admin", "admin@example.org"},
            {"*z_ext", "511"},
            {"*progs", "so"},
            {"*qvm", "so"},
            {"ktxver", "1.42"},
            {"ktxbuild", "demo"},
            {"maxfps", "77"},
            {"pm_ktjump", "1"},
            {"watervis", "0"},
            {"sv_antilag", "2"},
            {"mode", "4on4"},
            {"serverdemo", "4on4_blue_vs_red[dm3]201212-2230.mvd"},
            {"coop", "0"},
            {"samelevel", "2"},
            {"needpass", "0"},
            {"*cheats", "OFF"},
        };
        info.insert(info.end(), more.begin(), more.end());
    }
    return info;
}
