// SPDX-License-Identifier: GPL-2.0-or-later
// The help of tallyhawk-query: each option of the table with its text, wrapped to a terminal.
#include "query/QueryHelp.h"

#include "query/ExitCode.h"
#include "query/QueryOptionTable.h"
#include "status/StatusWireFormat.h"
#include "status/WatchEvent.h"

#include <algorithm>
#include <string>

namespace {

std::string OptionHelp(QueryOptionId id)
{
    switch (id) {
    case QueryOptionId::FromFile:
        return "read a saved reply (the bytes up to the first zero byte) instead of querying a "
               "server";
    case QueryOptionId::Json:
        return "print one JSON object on one line";
    case QueryOptionId::Raw:
        return "write the collected reply bytes instead of the standings, for replay with "
               "--from-file";
    case QueryOptionId::Format:
        return "table (default), json (as --json), csv (one row per player), markdown, or raw "
               "(as --raw)";
    case QueryOptionId::TeamMode:
        return "skin, color or team: match the team texts against skin names, bottom colours "
               "or, with --extended, the team each player gives (default skin)";
    case QueryOptionId::Team1:
        return "team 1: a skin name, a colour number or a team name";
    case QueryOptionId::Team2:
        return "team 2, like --team1";
    case QueryOptionId::Team3:
        return "team 3, like --team1";
    case QueryOptionId::Timeout:
        return "seconds to wait for the reply, also from a file (0.001 to 3600, default 2)";
    case QueryOptionId::Watch:
        return "repeat the query every SECONDS (0.1 to 86400) and redraw the standings until "
               "interrupted";
    case QueryOptionId::Count:
        return "with --watch: stop after this many refreshes";
    case QueryOptionId::Record:
        return "with --watch: append each reply's standings to FILE as a match record (JSON "
               "Lines), the format the window's timeline opens";
    case QueryOptionId::Events:
        return "with --watch: print a line per event (players joining and leaving, the match "
               "starting and ending; with --json a JSON object) instead of the standings";
    case QueryOptionId::Until:
        return "with --watch: exit 0 as soon as EVENT happens (" + WatchEventNamesHelp() +
               "); repeatable, the first of them ends the watch";
    case QueryOptionId::NoFence:
        return "send the status request alone, without the ping whose answer tells that the "
               "reply has ended (a reply that may go on is then followed by a short wait)";
    case QueryOptionId::Extended:
        return "ask 'status " + std::to_string(kExtendedStatusFlags) +
               "' (with --from-file: read the file as its answer): each player's team, "
               "spectators listed apart, bots marked";
    case QueryOptionId::Help:
        return "print this help and exit";
    case QueryOptionId::Version:
        return "print the version and exit";
    }
    return {};
}

// Words of the text in lines of at most `width` columns after `indent` spaces; the first line
// goes on from `column`, where the caller left the cursor.
void WriteWrapped(std::ostream& out, std::string_view text, std::size_t column, std::size_t indent,
                  std::size_t width = 79)
{
    if (column > 0 && column >= indent) { // no room for a space before the text
        out << "\n" << std::string(indent, ' ');
        column = indent;
    }
    out << std::string(indent - column, ' ');
    column = indent;
    bool lineStart = true;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(' '), text.size());
        const std::string_view word = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!lineStart && column + 1 + word.size() > width) {
            out << "\n" << std::string(indent, ' ');
            column = indent;
            lineStart = true;
        }
        if (!lineStart) {
            out << ' ';
            ++column;
        }
        out << word;
        column += word.size();
        lineStart = false;
    }
    out << "\n";
}

} // namespace

void WriteQueryHelp(std::ostream& out)
{
    constexpr std::size_t kHelpColumn = 22;
    out << "Usage: tallyhawk-query [OPTIONS] HOST[:PORT]\n"
           "       tallyhawk-query [OPTIONS] --from-file PATH\n\n";
    WriteWrapped(out,
                 "Queries a QuakeWorld server for its status (or reads a saved reply) and prints "
                 "the standings: serverinfo, players ordered by frags, total frags, team totals "
                 "and the longest time.",
                 0, 0);
    out << "\n";
    WriteWrapped(out,
                 "HOST[:PORT] is the server (port " + std::to_string(kDefaultServerPort) +
                     " if none); an IPv6 address as [ADDRESS]:PORT, or bare without a port.",
                 0, 0);
    out << "\nOptions:\n";
    for (const QueryOptionSpec& option : kQueryOptions) {
        std::string usage = "  ";
        usage += option.name;
        if (!option.valueName.empty())
            usage.append(" ").append(option.valueName);
        out << usage;
        WriteWrapped(out, OptionHelp(option.id), usage.size(), kHelpColumn);
    }
    out << "\n" << ExitCodeHelp();
}
