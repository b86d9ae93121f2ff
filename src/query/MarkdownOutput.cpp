// SPDX-License-Identifier: GPL-2.0-or-later
// The standings as Markdown (GitHub-flavoured tables).
#include "query/MarkdownOutput.h"

#include "query/ByteText.h"

#include <string>
#include <string_view>

namespace {

// Any ASCII punctuation may be backslash-escaped in Markdown; these are the ones that act
// inside a table cell. Readable text holds no line break.
std::string Cell(std::string_view utf8)
{
    std::string cell;
    for (const char c : utf8) {
        if (std::string_view("\\|`*_[]<>&~").find(c) != std::string_view::npos)
            cell += '\\';
        cell += c;
    }
    return cell;
}

void WriteServerInfo(std::ostream& out, const ServerInfoTable& info)
{
    out << "| Key | Value |\n|---|---|\n";
    for (std::int32_t pair = 0; pair < info.infoCount; ++pair)
        out << "| " << Cell(ReadableTextUtf8(info.infoKeys[pair])) << " | "
            << Cell(ReadableTextUtf8(info.infoValues[pair])) << " |\n";
}

// An extended reply adds each player's team as the last column.
void WritePlayers(std::ostream& out, const StatusModel& model, StatusLayout layout)
{
    const bool extended = layout == StatusLayout::Extended;
    out << "| Name | Frags | Ping | Skin | Top | Bottom | Minutes |" << (extended ? " Team |" : "")
        << "\n|---|--:|--:|---|--:|--:|--:|" << (extended ? "---|" : "") << "\n";
    for (std::int32_t row = 0; row < model.playerCount; ++row) {
        const PlayerEntry& player = model.players[row];
        out << "| " << Cell(ReadableTextUtf8(player.name)) << " | " << player.frags << " | "
            << player.ping << " | " << Cell(ReadableTextUtf8(player.skin)) << " | "
            << player.topColor << " | " << player.bottomColor << " | " << player.minutes << " |";
        if (extended)
            out << " " << Cell(ReadableTextUtf8(player.team)) << " |";
        out << "\n";
    }
}

void WriteTotals(std::ostream& out, const QueryStandings& standings)
{
    const StandingsTotals& totals = standings.totals;
    out << "| Totals | |\n|---|--:|\n";
    out << "| Total frags | " << totals.totalFrags << " |\n";
    for (std::size_t team = 0; team < totals.teamTotal.size(); ++team) {
        out << "| Team " << team + 1;
        if (!standings.teamTexts[team].empty())
            out << " (" << Cell(BytesToTerminalText(standings.teamTexts[team])) << ")";
        out << " | " << totals.teamTotal[team] << " |\n";
    }
    out << "| Longest time (min) | " << totals.longestMinutes << " |\n";
}

} // namespace

void WriteStandingsMarkdown(std::ostream& out, const QueryStandings& standings)
{
    WriteServerInfo(out, standings.model.serverInfo);
    out << "\n";
    WritePlayers(out, standings.model, standings.layout);
    out << "\n";
    WriteTotals(out, standings);
}
