// SPDX-License-Identifier: GPL-2.0-or-later
// How a team text is matched against a player: by bottom colour number, by skin name, or by the
// team an extended reply gives.
#pragma once

#include <array>
#include <string>

enum class TeamMode
{
    Color,
    Skin,
    Team, // tallyhawk-query --extended only; the window offers Color and Skin
};

// One text per team, for teams 1 to 3 in that order.
using TeamTexts = std::array<std::string, 3>;
