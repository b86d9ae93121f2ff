// SPDX-License-Identifier: GPL-2.0-or-later
// The readable form of the standings: serverinfo, players in display order, totals.
#pragma once

#include "query/QueryStandings.h"
#include "status/WatchEvent.h"

#include <ostream>
#include <string_view>

// Writes the table. Server text is shown through BytesToTerminalText, one column per byte, so
// the columns line up whatever the bytes are.
void WriteStandingsText(std::ostream& out, const QueryStandings& standings);

// The form the window copies, narrow enough to paste into a chat: a heading line with the
// address (as given), the readable hostname and the local time (as given), then the players and
// totals of the table above without the serverinfo.
void WriteStandingsSummary(std::ostream& out, const QueryStandings& standings,
                           std::string_view address, std::string_view localTime);

// One event of a watch as a line without its newline: the time, the event's name and what it
// names, such as "17:24:29  join  Alice (user id 105)" or "17:30:02  match-start  20 min left".
std::string WatchEventToText(const WatchEvent& event, const std::string& time);
