// SPDX-License-Identifier: GPL-2.0-or-later
// One player line of a status reply, as plain data. Records are copied and exchanged whole.
#pragma once

#include <cstdint>
#include <string>

struct PlayerEntry
{
    std::int32_t userId = 0;
    std::string name; // any bytes but the double quote; may be empty
    std::int32_t frags = 0;
    std::int32_t minutes = 0;
    std::int32_t topColor = 0;
    std::int32_t bottomColor = 0; // decides team membership in Color mode
    std::int32_t ping = 0;        // never above 9999
    std::string skin;             // may be empty
    std::string team;             // from an extended reply only; may be empty
    bool bot = false;             // an extended reply marked the client as a bot

    bool operator==(const PlayerEntry&) const = default;
};
