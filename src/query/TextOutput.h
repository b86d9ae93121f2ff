// SPDX-License-Identifier: GPL-2.0-or-later
// The readable form of the standings: serverinfo, players in display order, totals.
#pragma once

#include "query/QueryStandings.h"

#include <ostream>

// Writes the table. Server text is shown through BytesToTerminalText, one column per byte, so
// the columns line up whatever the bytes are.
void WriteStandingsText(std::ostream& out, const QueryStandings& standings);
