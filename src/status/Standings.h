// SPDX-License-Identifier: GPL-2.0-or-later
// Totals and ordering of the standings, computed from the status model.
#pragma once

#include "status/StandingsTotals.h"
#include "status/StatusModel.h"
#include "status/StatusWireFormat.h"
#include "status/TeamMode.h"

#include <string_view>

// Sums frags over all players and per team, and finds the longest connect time. In Color mode a
// team text is read as a colour number and matched against bottomColor; in Skin mode it must
// equal a non-empty skin byte for byte, in Team mode a non-empty team. Spectators never count. Sums
// saturate at the 32-bit bounds instead of wrapping; they are taken in row order, so call this
// before OrderPlayersByFrags to sum in reply order.
StandingsTotals ComputeStandingsTotals(const StatusModel& model, TeamMode mode,
                                       const TeamTexts& teamTexts);

// Orders rows 0 to playerCount - 1 by frags, highest first. Stable: players with equal frags
// keep their reply order. Whole records move together; rows past playerCount stay put.
void OrderPlayersByFrags(StatusModel& model);

// One reply read into standings: the players in display order and the totals.
struct ReplyStandings
{
    StatusModel model; // players ordered by frags, highest first
    StandingsTotals totals;
};

// ReadStatusReply into a fresh model, then ComputeStandingsTotals, then OrderPlayersByFrags: the
// steps a parse of the window takes, in its order, as one call. Spectators stay in reply order.
ReplyStandings ReadReplyStandings(std::string_view replyText, TeamMode mode,
                                  const TeamTexts& teamTexts,
                                  StatusLayout layout = StatusLayout::Plain);
