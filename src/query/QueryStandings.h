// SPDX-License-Identifier: GPL-2.0-or-later
// The standings tallyhawk-query prints: one reply read by the status core, with the team texts
// it was read with (the table shows them beside the team totals) and the layout it was read in
// (an extended reply adds the team column, the bot mark and the spectators).
#pragma once

#include "status/Standings.h"
#include "status/TeamMode.h"

struct QueryStandings : ReplyStandings
{
    TeamTexts teamTexts;
    StatusLayout layout = StatusLayout::Plain;
};
