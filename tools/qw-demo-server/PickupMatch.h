// SPDX-License-Identifier: GPL-2.0-or-later
// A pickup game in steps, for the demos of alerts: one more player joins each step until the
// server is full, then a countdown, a short match counting its minutes down and a standby with
// the final frags; then everyone leaves and it begins again. Each step is computed from its
// number alone, so the server can jump to any step.
#pragma once

#include "qw-demo-server/SimulatedClient.h"
#include "qw-demo-server/SimulatedMatch.h"

#include <cstdint>
#include <string>
#include <vector>

class PickupMatch
{
public:
    // settings.players is the server's size (maxclients), at least 2; settings.seed picks the
    // names and the frags.
    explicit PickupMatch(const MatchSettings& settings);

    // The game as it stands at this step (0: the empty server of the first round).
    void GoToStep(std::int64_t step);

    const std::vector<SimulatedClient>& Clients() const { return clients; }
    std::vector<ServerInfoPair> ServerInfo() const;

    int Slots() const { return slots; }
    // Steps in one round: slots + 1 filling (0 to slots players), the countdown, the match
    // minutes, the standby.
    int StepsPerRound() const { return slots + 3 + kMatchMinutes; }

    static constexpr int kMatchMinutes = 3;

private:
    int slots;
    unsigned seed;
    int teams;
    std::vector<std::string> names;
    std::vector<SimulatedClient> clients;
    std::string status = "Standby";
};
