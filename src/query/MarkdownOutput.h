// SPDX-License-Identifier: GPL-2.0-or-later
// The standings as Markdown tables, for forums and chats that render them.
#pragma once

#include "query/QueryStandings.h"

#include <ostream>

// Three tables: the serverinfo (Key, Value), the players in display order (Name, Frags, Ping,
// Skin, Top, Bottom, Minutes) and the totals. Server text is readable UTF-8 with every character
// Markdown acts on inside a cell backslash-escaped ('|' and '\' among them), so no text breaks
// a table or turns into a link, emphasis or markup.
void WriteStandingsMarkdown(std::ostream& out, const QueryStandings& standings);
