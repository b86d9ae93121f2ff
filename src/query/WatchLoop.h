// SPDX-License-Identifier: GPL-2.0-or-later
// --watch: a terminal scoreboard that queries the server again at a fixed period.
#pragma once

#include "query/QueryOptions.h"
#include "query/ServerAddress.h"

// Queries every options.watchSeconds (counted from the start of each query) and redraws the
// standings, until interrupted or until options.watchCount refreshes. On a terminal the screen
// is cleared before each text table; JSON gives one line per refresh. A failed refresh is shown
// and the watching goes on. Returns the exit code of the last refresh.
// With options.events, a line per event (WatchEventToText, or WatchEventToJson with json)
// replaces the standings. With options.until, the watch ends with ExitCode::Success at the first
// awaited event (its line printed), or with ExitCode::EventNotSeen when watchCount runs out.
int WatchServer(const ServerAddress& address, const QueryOptions& options);
