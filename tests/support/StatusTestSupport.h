// SPDX-License-Identifier: GPL-2.0-or-later
// Small vocabulary shared by the tests of status values: players written in reply field order
// and readable failure output for PlayerEntry.
#pragma once

#include "status/PlayerEntry.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>

// A player in the order its fields appear on a reply line.
inline PlayerEntry Player(std::int32_t userId, std::int32_t frags, std::int32_t minutes,
                          std::int32_t ping, std::string name, std::string skin,
                          std::int32_t topColor, std::int32_t bottomColor)
{
    PlayerEntry player;
    player.userId = userId;
    player.frags = frags;
    player.minutes = minutes;
    player.ping = ping;
    player.name = std::move(name);
    player.skin = std::move(skin);
    player.topColor = topColor;
    player.bottomColor = bottomColor;
    return player;
}

inline void PrintTo(const PlayerEntry& player, std::ostream* out)
{
    *out << "{userId " << player.userId << ", frags " << player.frags << ", minutes "
         << player.minutes << ", ping " << player.ping << ", name \"" << player.name
         << "\", skin \"" << player.skin << "\", colors " << player.topColor << "/"
         << player.bottomColor << "}";
}
