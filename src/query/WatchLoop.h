// SPDX-License-Identifier: GPL-2.0-or-later
// --watch: a terminal scoreboard that queries the server again at a fixed period.
#pragma once

#include "query/QueryOptions.h"
#include "query/ServerAddress.h"

// Queries every options.watchSeconds (counted from the start of each query) and redraws the
// standings, until interrupted or until options.watchCount refreshes. On a terminal the screen
// is cleared before each text table; the other formats write one document per refresh (JSON one
// line) and a failed refresh on standard error. The watching goes on after a failed refresh.
// With options.recordFile each reply with standings is appended to that match record; when the
// file cannot be opened or written, the watching stops with ExitCode::RecordFailed after a
// message on standard error. Otherwise returns the exit code of the last refresh.
// With options.events, a line per event (WatchEventToText, or WatchEventToJson with json)
// replaces the standings. With options.until, the watch ends with ExitCode::Success at the first
// awaited event (its line printed), or with ExitCode::EventNotSeen when watchCount runs out.
int WatchServer(const ServerAddress& address, const QueryOptions& options);
