// SPDX-License-Identifier: GPL-2.0-or-later
// Reads the text of one QuakeWorld status reply into the status model. Pure: no I/O, no Qt.
#pragma once

#include "status/StatusModel.h"
#include "status/StatusWireFormat.h"

#include <string_view>

// Resets playerCount, serverInfo.infoCount and serverEmpty, then reads the serverinfo section
// and the player lines of replyText. Never reads past the text and never stores more than
// kMaxServerInfoPairs pairs or kMaxPlayers players; malformed input is read as far as the
// rules allow and never reported. Rows and pairs beyond the new counts are left untouched.
//
// StatusLayout::Extended reads the answer to kExtendedStatusRequest: each player's team (the
// first quoted field after the bottom colour) and bot mark (a last field "b"); a spectator's line
// (name prefixed by \s\ with frags -9999, or frags "S") goes to model.spectators (at most
// kMaxPlayers, in reply order, name without the prefix, ping positive, frags 0) and never counts
// as a player. Extra fields that do not follow the layout leave team empty and bot false; a reply
// without them (an older server) reads as a plain one. The plain layout never sets team or bot.
void ReadStatusReply(std::string_view replyText, StatusModel& model,
                     StatusLayout layout = StatusLayout::Plain);
