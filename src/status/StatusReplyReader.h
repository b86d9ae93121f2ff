// SPDX-License-Identifier: GPL-2.0-or-later
// Reads the text of one QuakeWorld status reply into the status model. Pure: no I/O, no Qt.
#pragma once

#include "status/StatusModel.h"

#include <string_view>

// Resets playerCount, serverInfo.infoCount and serverEmpty, then reads the serverinfo section
// and the player lines of replyText. Never reads past the text and never stores more than
// kMaxServerInfoPairs pairs or kMaxPlayers players; malformed input is read as far as the
// rules allow and never reported. Rows and pairs beyond the new counts are left untouched.
void ReadStatusReply(std::string_view replyText, StatusModel& model);
