// SPDX-License-Identifier: GPL-2.0-or-later
// How a team text is matched against a player: by bottom colour number or by skin name.
#pragma once

#include <array>
#include <string>

enum class TeamMode
{
    Color,
    Skin,
};

// One text per team, for teams 1 to 3 in that order.
using TeamTexts = std::array<std::string, 3>;
