// One reply read with the status core: the model in display order and its totals.
#pragma once

#include "status/StandingsTotals.h"
#include "status/StatusModel.h"
#include "status/TeamMode.h"

#include <string_view>

struct QueryStandings
{
    StatusModel model; // players ordered by frags, highest first
    StandingsTotals totals;
    TeamTexts teamTexts;
};

// Reads the reply, computes the totals in the given mode and orders the players, in that order.
QueryStandings ReadQueryStandings(std::string_view replyText, TeamMode mode,
                                  const TeamTexts& teamTexts);
