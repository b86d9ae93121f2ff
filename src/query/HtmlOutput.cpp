// SPDX-License-Identifier: GPL-2.0-or-later
// The standings as an HTML table.
#include "query/HtmlOutput.h"

#include "query/ByteText.h"

#include <string_view>

namespace {

std::string Escaped(std::string_view utf8)
{
    std::string text;
    for (const char c : utf8) {
        switch (c) {
        case '&':
            text += "&amp;";
            break;
        case '<':
            text += "&lt;";
            break;
        case '>':
            text += "&gt;";
            break;
        case '"':
            text += "&quot;";
            break;
        case '\'':
            text += "&#39;";
            break;
        default:
            text += c;
        }
    }
    return text;
}

std::string Cell(std::string_view utf8)
{
    return "<td>" + Escaped(utf8) + "</td>";
}

std::string Cell(std::int32_t number)
{
    return "<td>" + std::to_string(number) + "</td>";
}

std::string TotalRow(std::string_view label, std::int32_t number)
{
    return "<tr><th>" + Escaped(label) + "</th>" + Cell(number) + "</tr>\n";
}

} // namespace

std::string StandingsToHtml(const QueryStandings& standings)
{
    std::string html = "<html><head><meta charset=\"utf-8\"></head><body>\n<table>\n";
    const std::string_view hostname = ServerHostname(standings.model.serverInfo);
    if (!hostname.empty())
        html += "<caption>" + Escaped(ReadableTextUtf8(hostname)) + "</caption>\n";
    html += "<thead><tr><th>Name</th><th>Frags</th><th>Ping</th><th>Skin</th><th>Top</th>"
            "<th>Bottom</th><th>Minutes</th></tr></thead>\n<tbody>\n";
    const StatusModel& model = standings.model;
    for (std::int32_t row = 0; row < model.playerCount; ++row) {
        const PlayerEntry& player = model.players[row];
        html += "<tr>" + Cell(ReadableTextUtf8(player.name)) + Cell(player.frags) +
                Cell(player.ping) + Cell(ReadableTextUtf8(player.skin)) + Cell(player.topColor) +
                Cell(player.bottomColor) + Cell(player.minutes) + "</tr>\n";
    }
    // The totals are a second body rather than a footer: a spreadsheet's HTML import drops a
    // table's footer rows.
    html += "</tbody>\n<tbody>\n";
    const StandingsTotals& totals = standings.totals;
    html += TotalRow("Total frags", totals.totalFrags);
    for (std::size_t team = 0; team < totals.teamTotal.size(); ++team) {
        std::string label = "Team " + std::to_string(team + 1);
        if (!standings.teamTexts[team].empty())
            label += " (" + BytesToTerminalText(standings.teamTexts[team]) + ")";
        html += TotalRow(label, totals.teamTotal[team]);
    }
    html += TotalRow("Longest time (min)", totals.longestMinutes);
    return html + "</tbody>\n</table>\n</body></html>\n";
}
