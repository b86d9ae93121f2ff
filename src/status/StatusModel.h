// SPDX-License-Identifier: GPL-2.0-or-later
// The status model of the watched server: what the last status reply said. Plain data with
// fixed-size arrays; rows at or beyond playerCount keep older content and are never read.
#pragma once

#include "status/PlayerEntry.h"
#include "status/ServerInfoTable.h"

#include <array>
#include <cstdint>
#include <vector>

inline constexpr int kMaxPlayers = 33;

struct StatusModel
{
    std::array<PlayerEntry, kMaxPlayers> players;
    std::int32_t playerCount = 0; // 0 to kMaxPlayers
    bool serverEmpty = true;      // the last reply carried no player line
    ServerInfoTable serverInfo;
    std::vector<PlayerEntry> spectators; // an extended reply's spectators; at most kMaxPlayers
};
