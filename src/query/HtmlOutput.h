// SPDX-License-Identifier: GPL-2.0-or-later
// The standings as one HTML table, the form a spreadsheet or a forum editor takes as columns
// from the clipboard.
#pragma once

#include "query/QueryStandings.h"

#include <string>

// A UTF-8 document holding one table: the readable hostname as its caption (none without a
// hostname), a header row (Name, Frags, Ping, Skin, Top, Bottom, Minutes), one row per player in
// display order, and the totals in a second body after them, one label and one number per row.
// Every text from the server or the person is readable UTF-8 with &, <, >, " and ' escaped, so none
// is markup.
std::string StandingsToHtml(const QueryStandings& standings);
