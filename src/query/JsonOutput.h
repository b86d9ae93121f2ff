// SPDX-License-Identifier: GPL-2.0-or-later
// The machine-readable form of the standings: one JSON object on one line.
#pragma once

#include "status/Standings.h"
#include "status/WatchEvent.h"

#include <string>

// {"serverinfo":[["key","value"],...],"players":[{"userId":N,"frags":N,"minutes":N,"ping":N,
//  "name":"…","skin":"…","topColor":N,"bottomColor":N},...],"serverEmpty":BOOL,
//  "totals":{"totalFrags":N,"teamTotal":[N,N,N],"longestMinutes":N}}
// Pairs in reply order, players in display order, every string byte as the code point of the
// same value (BytesToCodePoints), control characters (C0 and C1) escaped as \u00XX. No trailing
// newline.
// An extended reply (layout) adds "team" and "bot" to each player and a "spectators" array
// after the players.
std::string StandingsToJson(const ReplyStandings& standings,
                            StatusLayout layout = StatusLayout::Plain);

// Serialised JSON with its C1 controls (U+0080 to U+009F) escaped as \u00XX too, since written
// raw to a terminal they act on it; the serializer escapes only C0 controls.
std::string EscapeC1Controls(const std::string& json);

// One event of a watch, on one line: {"time":"2026-12-10T17:24:29+0100","event":"join",
// "name":"…","userid":N} for one player; "count" and "players":[{"name","userid"},...] for a
// group; "count" and "threshold" for players=N; "count" and "maxclients" for full; "status"
// (null when the key went away) for match-start and match-end. Strings as in StandingsToJson.
std::string WatchEventToJson(const WatchEvent& event, const std::string& time);
