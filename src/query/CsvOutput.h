// SPDX-License-Identifier: GPL-2.0-or-later
// The players as CSV, for spreadsheets and scripts.
#pragma once

#include "query/QueryStandings.h"

#include <ostream>

// RFC 4180: a header row "User ID,Name,Frags,Ping,Skin,Top,Bottom,Minutes", then one row per
// player in display order, every line ended by CR LF. Names and skins are readable text in UTF-8
// (as the window shows them) and always quoted, a quote doubled; nothing else is written, so a
// CSV reader takes the output whole. No player: the header row alone.
void WriteStandingsCsv(std::ostream& out, const QueryStandings& standings);
