// SPDX-License-Identifier: GPL-2.0-or-later
// The demo server's behaviours: a normal server, and the faults that tests need to provoke.
#pragma once

#include "qw-demo-server/SimulatedMatch.h"

#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

enum class Scenario
{
    Normal,        // replies as a current server does
    Silent,        // never answers
    EmptyDatagram, // answers with a datagram of no bytes
    Oversize,      // one datagram of kOversizeDatagramBytes (more than 4096)
    Exact4096,     // one datagram of exactly 4096 bytes, padded by a long "motd" value
    Split,         // the reply cut into two datagrams in the middle of a player line
    ZeroByte,      // a zero byte after the first half of the player lines
    Garbage,       // random bytes
    NoPlayers,     // serverinfo only
    Full,          // 32 players with long names, 27 serverinfo pairs: two datagrams
    Pickup,        // a pickup game in steps (PickupMatch): joins, countdown, match, standby
    NoAck,         // replies as normal but ignores ping, as some servers do
};

inline constexpr std::size_t kOversizeDatagramBytes = 5000;

std::optional<Scenario> ScenarioFromName(std::string_view name);

// The names, in the order of the enum, for help texts.
std::vector<std::string> ScenarioNames();

// The match a scenario plays: no-players and full change the settings, others keep them.
MatchSettings SettingsForScenario(Scenario scenario, MatchSettings settings);

// Whether a ping gets its acknowledgement: from every scenario but silent and no-ack.
bool ScenarioAcknowledgesPing(Scenario scenario);

// The datagrams that answer one status request with the given flags (none for silent).
std::vector<std::string> ScenarioReply(Scenario scenario, const SimulatedMatch& match, int flags,
                                       std::mt19937& random);
