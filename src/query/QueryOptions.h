// SPDX-License-Identifier: GPL-2.0-or-later
// The command line of tallyhawk-query.
#pragma once

#include "query/ExitCode.h"
#include "query/OutputFormat.h"
#include "query/QueryRequest.h"
#include "status/Result.h"
#include "status/TeamMode.h"
#include "status/WatchEvent.h"

#include <chrono>
#include <optional>
#include <string>

struct QueryOptions
{
    std::string server;                        // HOST[:PORT]; empty when fromFile is given
    std::optional<std::string> fromFile;       // offline mode: a saved reply
    OutputFormat format = OutputFormat::Table; // --format, --json or --raw
    bool json = false;                         // format is Json
    bool raw = false;                          // format is Raw
    TeamMode teamMode = TeamMode::Skin;
    TeamTexts teamTexts;
    std::chrono::milliseconds timeout{2000};
    std::optional<double> watchSeconds; // repeat the query at this period
    std::optional<int> watchCount;      // stop watching after this many refreshes
    // With --watch: append a match-record line per reply to this file.
    std::optional<std::string> recordFile;
    bool events = false;  // with watchSeconds: event lines instead of standings
    EventSelection until; // with watchSeconds: stop at the first of these
    QueryRequest request; // --no-fence, --extended
};

// The options, or the exit code to end with at once: ExitCode::Success once --help or --version
// is printed, ExitCode::Usage after a message on standard error.
Result<QueryOptions, ExitCode> ParseQueryOptions(int argc, char** argv);
