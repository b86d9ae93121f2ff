// SPDX-License-Identifier: GPL-2.0-or-later
// The options of tallyhawk-query as CLI11 reads them, with the exit-code table as the help's
// footer and the checks that no single option can express.
#include "query/QueryOptions.h"

#include "cli/FiniteRange.h"
#include "query/ExitCode.h"
#include "res/Version.h"
#include "status/StatusWireFormat.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <iostream>
#include <map>

Result<QueryOptions, ExitCode> ParseQueryOptions(int argc, char** argv)
{
    QueryOptions options;
    CLI::App app{"Queries a QuakeWorld server for its status (or reads a saved reply) and prints "
                 "the standings: serverinfo, players ordered by frags, total frags, team totals "
                 "and the longest time.",
                 "tallyhawk-query"};
    app.footer(ExitCodeHelp());
    app.set_version_flag("--version", std::string("tallyhawk-query ") + kDisplayVersion);

    auto* serverOption =
        app.add_option("server", options.server,
                       "HOST[:PORT] of the server (port " + std::to_string(kDefaultServerPort) +
                           " if none); an IPv6 address as [ADDRESS]:PORT, "
                           "or bare without a port")
            ->type_name("HOST[:PORT]");
    auto* fileOption = app.add_option("--from-file", options.fromFile,
                                      "read a saved reply (the bytes up to the first zero byte) "
                                      "instead of querying a server")
                           ->type_name("PATH");
    serverOption->excludes(fileOption);

    app.add_flag("--json", options.json, "print one JSON object on one line");
    auto* rawOption = app.add_flag("--raw", options.raw,
                                   "write the collected reply bytes instead of the standings, "
                                   "for replay with --from-file");
    rawOption->excludes("--json")->excludes(fileOption);
    const std::map<std::string, OutputFormat> formats{{"table", OutputFormat::Table},
                                                      {"json", OutputFormat::Json},
                                                      {"csv", OutputFormat::Csv},
                                                      {"markdown", OutputFormat::Markdown},
                                                      {"raw", OutputFormat::Raw}};
    std::string formatName = "table";
    app.add_option("--format", formatName,
                   "table (default), json (as --json), csv (one row per player), markdown, or "
                   "raw (as --raw)")
        ->type_name("FORMAT")
        ->check(CLI::IsMember({"table", "json", "csv", "markdown", "raw"}))
        ->excludes("--json")
        ->excludes(rawOption);

    std::string teamMode = "skin";
    app.add_option("--team-mode", teamMode,
                   "match the team texts against skin names, bottom colours or, with "
                   "--extended, the team each player gives (default skin)")
        ->type_name("skin|color|team")
        ->check(CLI::IsMember({"skin", "color", "team"}));
    app.add_option("--team1", options.teamTexts[0],
                   "team 1: a skin name, a colour number or a team name")
        ->type_name("T");
    app.add_option("--team2", options.teamTexts[1], "team 2, like --team1")->type_name("T");
    app.add_option("--team3", options.teamTexts[2], "team 3, like --team1")->type_name("T");

    double timeoutSeconds = 2.0;
    app.add_option("--timeout", timeoutSeconds,
                   "seconds to wait for the reply, also from a file (default 2)")
        ->type_name("SECONDS")
        ->check(FiniteRange(0.001, 3600.0));
    auto* watchOption =
        app.add_option("--watch", options.watchSeconds,
                       "repeat the query every SECONDS and redraw the standings until "
                       "interrupted")
            ->type_name("SECONDS")
            ->check(FiniteRange(0.1, 86400.0))
            ->excludes(fileOption)
            ->excludes(rawOption);
    app.add_option("--count", options.watchCount, "with --watch: stop after this many refreshes")
        ->type_name("N")
        ->check(CLI::PositiveNumber)
        ->needs(watchOption);
    app.add_option("--record", options.recordFile,
                   "with --watch: append each reply's standings to FILE as a match record "
                   "(JSON Lines), the format the window's timeline opens")
        ->type_name("FILE")
        ->needs(watchOption);

    app.add_flag("--events", options.events,
                 "with --watch: print a line per event (players joining and leaving, the "
                 "match starting and ending; with --json a JSON object) instead of the "
                 "standings")
        ->needs(watchOption);
    std::vector<std::string> untilNames;
    app.add_option("--until", untilNames,
                   "with --watch: exit 0 as soon as EVENT happens (" + WatchEventNamesHelp() +
                       "); repeatable, the first of them ends the watch")
        ->type_name("EVENT")
        ->allow_extra_args(
            false) // one name per --until, so that a server after it stays the server
        ->needs(watchOption);

    bool noFence = false;
    app.add_flag("--no-fence", noFence,
                 "send the status request alone, without the ping whose answer tells that the "
                 "reply has ended (a reply that may go on is then followed by a short wait)");
    bool extended = false;
    app.add_flag("--extended", extended,
                 "ask 'status " + std::to_string(kExtendedStatusFlags) +
                     "' (with --from-file: read the file as its answer): each player's team, "
                     "spectators listed apart, bots marked");

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& done) { // --help, --version: printed, exit status 0
        app.exit(done);
        return Fail(ExitCode::Success);
    } catch (const CLI::ParseError& error) {
        std::cerr << "tallyhawk-query: " << error.what() << "\n"
                  << "Run with --help for more information.\n";
        return Fail(ExitCode::Usage);
    }
    if (options.server.empty() && !options.fromFile) {
        std::cerr << "tallyhawk-query: give a server (HOST[:PORT]) or --from-file PATH\n"
                  << "Run with --help for more information.\n";
        return Fail(ExitCode::Usage);
    }
    options.format = formats.at(formatName);
    if (options.json)
        options.format = OutputFormat::Json;
    if (options.raw)
        options.format = OutputFormat::Raw;
    if (options.format == OutputFormat::Raw && (options.fromFile || options.watchSeconds)) {
        std::cerr << "tallyhawk-query: --format raw excludes --from-file and --watch, as --raw "
                     "does\n"
                  << "Run with --help for more information.\n";
        return Fail(ExitCode::Usage);
    }
    options.json = options.format == OutputFormat::Json;
    options.raw = options.format == OutputFormat::Raw;
    for (const std::string& name : untilNames)
        if (const Result<bool> added = options.until.Add(name); !added) {
            std::cerr << "tallyhawk-query: --until " << added.Error() << "\n"
                      << "Run with --help for more information.\n";
            return Fail(ExitCode::Usage);
        }
    if (teamMode == "team" && !extended) {
        std::cerr << "tallyhawk-query: --team-mode team needs --extended (only the extended "
                     "reply gives each player's team)\n"
                  << "Run with --help for more information.\n";
        return Fail(ExitCode::Usage);
    }
    options.teamMode = teamMode == "color"  ? TeamMode::Color
                       : teamMode == "team" ? TeamMode::Team
                                            : TeamMode::Skin;
    options.request.fence = noFence ? ReplyFence::None : ReplyFence::Ping;
    options.request.layout = extended ? StatusLayout::Extended : StatusLayout::Plain;
    options.timeout = std::chrono::milliseconds(std::lround(timeoutSeconds * 1000.0));
    return options;
}
