// SPDX-License-Identifier: GPL-2.0-or-later
// The players as RFC 4180 CSV.
#include "query/CsvOutput.h"

#include "query/ByteText.h"

#include <string>
#include <string_view>

namespace {

// Readable names hold no CR or LF (controls read '_'), but a comma or a quote may be in any.
std::string Quoted(std::string_view bytes)
{
    std::string field = "\"";
    for (const char c : ReadableTextUtf8(bytes)) {
        if (c == '"')
            field += '"';
        field += c;
    }
    return field + '"';
}

} // namespace

void WriteStandingsCsv(std::ostream& out, const QueryStandings& standings)
{
    // An extended reply adds each player's team as the last column.
    const bool extended = standings.layout == StatusLayout::Extended;
    out << "User ID,Name,Frags,Ping,Skin,Top,Bottom,Minutes" << (extended ? ",Team" : "") << "\r\n";
    const StatusModel& model = standings.model;
    for (std::int32_t row = 0; row < model.playerCount; ++row) {
        const PlayerEntry& player = model.players[row];
        out << player.userId << ',' << Quoted(player.name) << ',' << player.frags << ','
            << player.ping << ',' << Quoted(player.skin) << ',' << player.topColor << ','
            << player.bottomColor << ',' << player.minutes;
        if (extended)
            out << ',' << Quoted(player.team);
        out << "\r\n";
    }
}
