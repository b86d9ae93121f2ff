// SPDX-License-Identifier: GPL-2.0-or-later
// A team deathmatch that goes on by itself: frags change as players kill each other (and
// themselves), connect times count up, pings jitter, and now and then a player leaves and a
// new one joins. Deterministic for a given seed and sequence of AdvanceTo calls.
#pragma once

#include "qw-demo-server/SimulatedClient.h"

#include <random>
#include <vector>

inline constexpr int kMaxClients = 32;

struct MatchSettings
{
    int players = 8; // 0 to kMaxClients
    int teams = 2;   // 2 or 3
    unsigned seed = 1;
    bool longNames = false;          // every name kMaxNameBytes long
    bool extendedServerInfo = false; // 27 serverinfo pairs instead of the usual dozen
    bool spectator = true;           // one spectator while a slot is free
    int bots = 1;                    // the last players at the start are bots
};

class SimulatedMatch
{
public:
    explicit SimulatedMatch(const MatchSettings& settings);

    // Plays the match on, one simulated second at a time, up to matchSeconds since the start.
    // Time never runs back; a huge jump is capped at kMaxStepsPerAdvance seconds of play.
    void AdvanceTo(double matchSeconds);

    const std::vector<SimulatedClient>& Clients() const { return clients; }
    std::vector<ServerInfoPair> ServerInfo() const;

    static constexpr int kMaxStepsPerAdvance = 3600;

private:
    void PlayOneSecond();
    SimulatedClient NewPlayer(const std::string& name, int team, bool connecting);
    void ChangeOneFrag();

    MatchSettings settings;
    std::mt19937 random;
    std::vector<SimulatedClient> clients;
    std::vector<int> basePings; // by userId - kFirstUserId
    std::vector<std::string> spareNames;
    int nextUserId;
    double playedSeconds = 0;
};
