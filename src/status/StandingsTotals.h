// SPDX-License-Identifier: GPL-2.0-or-later
// The standings derived from the players of one reply.
#pragma once

#include <array>
#include <cstdint>

struct StandingsTotals
{
    std::int32_t totalFrags = 0;
    std::array<std::int32_t, 3> teamTotal{}; // teams 1 to 3
    std::int32_t longestMinutes = 0;         // 0 when no player has a positive time

    bool operator==(const StandingsTotals&) const = default;
};
