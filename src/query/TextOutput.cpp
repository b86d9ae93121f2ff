// SPDX-License-Identifier: GPL-2.0-or-later
// The standings as a text table for the terminal: one byte of server text is one column.
#include "query/TextOutput.h"

#include "query/ByteText.h"
#include "status/ReadableText.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace {

// Text padded to a width counted in bytes: one byte is one column on the terminal.
std::string Padded(std::string_view bytes, std::size_t width)
{
    return BytesToTerminalText(bytes) + std::string(width - std::min(width, bytes.size()), ' ');
}

std::string RightAligned(std::int32_t number, std::size_t width)
{
    const std::string text = std::to_string(number);
    return std::string(width - std::min(width, text.size()), ' ') + text;
}

void WriteServerInfo(std::ostream& out, const ServerInfoTable& info)
{
    out << "Server settings\n";
    if (info.infoCount == 0)
        out << "  (none)\n";
    std::size_t keyWidth = 0;
    for (std::int32_t pair = 0; pair < info.infoCount; ++pair)
        keyWidth = std::max(keyWidth, info.infoKeys[pair].size());
    for (std::int32_t pair = 0; pair < info.infoCount; ++pair)
        out << "  " << Padded(info.infoKeys[pair], keyWidth) << "  "
            << ReadableTextUtf8(info.infoValues[pair]) << "\n";
}

// The rows of players (or spectators) under a heading. An extended reply adds the team column
// and marks bots after the name; spectators have no frags to show.
void WriteClients(std::ostream& out, const char* heading, const PlayerEntry* rows,
                  std::size_t count, StatusLayout layout, bool spectators)
{
    out << "\n" << heading << "\n";
    if (count == 0) {
        out << "  (none)\n";
        return;
    }
    const bool extended = layout == StatusLayout::Extended;
    const std::string_view botMark = " (bot)";
    std::size_t nameWidth = 4;
    std::size_t skinWidth = 4;
    for (std::size_t row = 0; row < count; ++row) {
        nameWidth =
            std::max(nameWidth, rows[row].name.size() + (rows[row].bot ? botMark.size() : 0));
        skinWidth = std::max(skinWidth, rows[row].skin.size());
    }
    out << "  " << Padded("Name", nameWidth) << (spectators ? "   Ping  " : "  Frags   Ping  ")
        << Padded("Skin", skinWidth) << "  Top  Bottom  Minutes" << (extended ? "  Team" : "")
        << "\n";
    for (std::size_t row = 0; row < count; ++row) {
        const PlayerEntry& player = rows[row];
        std::string name = ReadableServerText(player.name);
        if (player.bot)
            name += botMark;
        out << "  " << Padded(name, nameWidth) << "  ";
        if (!spectators)
            out << RightAligned(player.frags, 5) << "  ";
        out << RightAligned(player.ping, 5) << "  "
            << Padded(ReadableServerText(player.skin), skinWidth) << "  "
            << RightAligned(player.topColor, 3) << "  " << RightAligned(player.bottomColor, 6)
            << "  " << RightAligned(player.minutes, 7);
        // The last column: no padding after it.
        if (extended)
            out << "  " << Padded(ReadableServerText(player.team), 0);
        out << "\n";
    }
}

void WritePlayers(std::ostream& out, const StatusModel& model, StatusLayout layout)
{
    const std::size_t count =
        model.serverEmpty ? 0 : static_cast<std::size_t>(std::max(model.playerCount, 0));
    WriteClients(out, "Players", model.players.data(), count, layout, false);
    if (layout == StatusLayout::Extended)
        WriteClients(out, "Spectators", model.spectators.data(), model.spectators.size(), layout,
                     true);
}

void WriteTotals(std::ostream& out, const QueryStandings& standings)
{
    const StandingsTotals& totals = standings.totals;
    out << "\nTotal frags   " << totals.totalFrags << "\n";
    for (std::size_t team = 0; team < totals.teamTotal.size(); ++team) {
        out << "Team " << team + 1 << "        " << totals.teamTotal[team];
        if (!standings.teamTexts[team].empty())
            out << "  (" << BytesToTerminalText(standings.teamTexts[team]) << ")";
        out << "\n";
    }
    out << "Longest time  " << totals.longestMinutes << " min\n";
}

} // namespace

void WriteStandingsText(std::ostream& out, const QueryStandings& standings)
{
    WriteServerInfo(out, standings.model.serverInfo);
    WritePlayers(out, standings.model, standings.layout);
    WriteTotals(out, standings);
}

void WriteStandingsSummary(std::ostream& out, const QueryStandings& standings,
                           std::string_view address, std::string_view localTime)
{
    out << address;
    const std::string_view hostname = ServerHostname(standings.model.serverInfo);
    if (!hostname.empty())
        out << "  " << ReadableTextUtf8(hostname);
    out << "  " << localTime << "\n";
    WritePlayers(out, standings.model, standings.layout);
    WriteTotals(out, standings);
}

std::string WatchEventToText(const WatchEvent& event, const std::string& time)
{
    std::string details;
    switch (event.kind) {
    case WatchEventKind::Join:
    case WatchEventKind::Leave:
        if (event.players.size() > 1)
            details = std::to_string(event.players.size()) + " players: ";
        for (std::size_t index = 0; index < event.players.size(); ++index)
            details += (index > 0 ? ", " : "") + ReadableTextUtf8(event.players[index].name) +
                       " (user id " + std::to_string(event.players[index].userId) + ")";
        break;
    case WatchEventKind::Players:
        details = std::to_string(event.playerCount) + " players";
        break;
    case WatchEventKind::Full:
        details = std::to_string(event.playerCount) + " of " + std::to_string(event.threshold) +
                  " players";
        break;
    case WatchEventKind::MatchStart:
    case WatchEventKind::MatchEnd:
        details = event.status.empty() ? "(no status)" : ReadableTextUtf8(event.status);
        break;
    }
    return time + "  " + WatchEventName(event) + "  " + details;
}
