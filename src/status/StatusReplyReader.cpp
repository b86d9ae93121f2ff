// SPDX-License-Identifier: GPL-2.0-or-later
// Reads a status reply into the status model. Reply layout:
//   <header> '\' key '\' value '\' key ... '\n'  then player lines, each
//   userId ' ' frags ' ' minutes ' ' ping ' ' '"' name '"' ' ' '"' skin '"' ' ' top ' ' bottom '\n'
// Separators after a field are stepped over by count, never checked: a stray or missing
// separator shifts the later fields of that line instead of failing the reply. An extended reply
// adds quoted fields after the bottom colour (' "team" "b"') and lists spectators.

#include "status/StatusReplyReader.h"

#include "status/DecimalText.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

// A text shorter than this is taken to hold no serverinfo section at all.
constexpr std::size_t kMinimumLengthWithServerInfo = 26;
// The shortest line read as a player line; a shorter one (or the end of the text) ends them.
constexpr std::size_t kShortestPlayerLine = 6;
constexpr std::int32_t kHighestPing = 9999;
// How an extended reply marks a spectator's line: frags -9999 and this before the name.
constexpr std::int32_t kSpectatorFrags = -9999;
constexpr std::string_view kSpectatorNamePrefix = "\\s\\";

void StorePair(ServerInfoTable& table, std::string_view key, std::string_view value)
{
    // Pairs past the table's room are dropped; the section is still read to its end so that
    // the player lines after it are found.
    if (table.infoCount >= kMaxServerInfoPairs)
        return;
    table.infoKeys[table.infoCount] = key;
    table.infoValues[table.infoCount] = value;
    ++table.infoCount;
}

// Walks a serverinfo section or a player line field by field. Every scan and every step stops
// at the end of the text, so a line that ends early leaves the unreached fields 0 or empty.
class FieldCursor
{
public:
    explicit FieldCursor(std::string_view text) : text(text) {}

    bool AtEnd() const { return position == text.size(); }

    // Names and serverinfo fields run to dozens of characters: the library's search is fastest.
    std::string_view ReadTextUpTo(char delimiter)
    {
        const std::size_t end = std::min(text.find(delimiter, position), text.size());
        const std::string_view field = text.substr(position, end - position);
        position = end;
        return field;
    }

    // Numbers are a few characters long: a plain scan beats a library call for each.
    std::int32_t ReadNumberUpTo(char delimiter)
    {
        const std::size_t start = position;
        while (position < text.size() && text[position] != delimiter)
            ++position;
        return DecimalTextToInt(text.substr(start, position - start));
    }

    std::int32_t ReadNumberToEnd()
    {
        const std::string_view field = text.substr(position);
        position = text.size();
        return DecimalTextToInt(field);
    }

    void StepOver(std::size_t count) { position = std::min(text.size(), position + count); }

private:
    std::string_view text;
    std::size_t position = 0;
};

// Reads the pairs of the serverinfo section (which starts just after the first backslash) and
// returns the text after the newline that ends it. A section that runs to the end of the text
// is treated as if a newline ended it there, and no text follows it.
std::string_view ReadServerInfoSection(std::string_view text, ServerInfoTable& table)
{
    const std::size_t newline = text.find('\n');
    FieldCursor cursor(text.substr(0, newline));
    while (true) {
        const std::string_view key = cursor.ReadTextUpTo('\\');
        if (cursor.AtEnd()) {
            // A key without a value is kept; an empty one (after a value's closing backslash
            // or straight after the first backslash) is not a key at all.
            if (!key.empty())
                StorePair(table, key, {});
            break;
        }
        cursor.StepOver(1);
        StorePair(table, key, cursor.ReadTextUpTo('\\'));
        if (cursor.AtEnd())
            break;
        cursor.StepOver(1);
    }
    return newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
}

// Fills the row in place rather than building a new record, so that its strings keep their
// storage from one reply to the next.
void ReadPlayerLine(std::string_view line, PlayerEntry& player)
{
    FieldCursor cursor(line);
    player.userId = cursor.ReadNumberUpTo(' ');
    cursor.StepOver(1);
    player.frags = cursor.ReadNumberUpTo(' ');
    cursor.StepOver(1);
    player.minutes = cursor.ReadNumberUpTo(' ');
    cursor.StepOver(1);
    player.ping = std::min(cursor.ReadNumberUpTo(' '), kHighestPing);
    cursor.StepOver(2); // space, opening quote
    player.name = cursor.ReadTextUpTo('"');
    cursor.StepOver(3); // closing quote, space, opening quote
    player.skin = cursor.ReadTextUpTo('"');
    cursor.StepOver(2); // closing quote, space
    player.topColor = cursor.ReadNumberUpTo(' ');
    cursor.StepOver(1);
    player.bottomColor = cursor.ReadNumberToEnd();
}

// The quoted fields after the bottom colour of an extended line: ' "a" "b"' gives a and b. Empty
// when the line has none, and when they do not follow that pattern to the end of the line (the
// line is then read as a plain one).
std::vector<std::string_view> ExtraFields(std::string_view line)
{
    // Past the name's and the skin's quotes, then up to the first quote after the colours.
    std::size_t position = 0;
    for (int quote = 0; quote < 4 && position != std::string_view::npos; ++quote) {
        position = line.find('"', position);
        if (position != std::string_view::npos)
            ++position;
    }
    if (position == std::string_view::npos)
        return {};
    std::string_view rest = line.substr(std::min(line.find('"', position), line.size()));
    std::vector<std::string_view> fields;
    while (!rest.empty()) {
        const std::size_t closing = rest.find('"', 1);
        if (rest.front() != '"' || closing == std::string_view::npos)
            return {};
        fields.push_back(rest.substr(1, closing - 1));
        rest.remove_prefix(closing + 1);
        if (!rest.empty()) {
            if (!rest.starts_with(" \""))
                return {};
            rest.remove_prefix(1);
        }
    }
    return fields;
}

// The frags field as text: "S" marks a spectator where the reply lists them as players.
std::string_view FragsText(std::string_view line)
{
    const std::size_t start = std::min(line.find(' '), line.size());
    const std::size_t end = std::min(line.find(' ', start + 1), line.size());
    return line.substr(std::min(start + 1, end), end - std::min(start + 1, end));
}

// A line of the extended reply (kExtendedStatusFlags): the plain fields, then the team and the
// client type when the server gave them. Returns true for a spectator, whose name loses its
// marker, whose ping its sign and whose frags (a marker too) read 0.
bool ReadExtendedPlayerLine(std::string_view line, PlayerEntry& player)
{
    ReadPlayerLine(line, player);
    const std::vector<std::string_view> extras = ExtraFields(line);
    player.team = extras.empty() ? std::string_view{} : extras.front();
    player.bot = extras.size() >= 2 && extras.back() == "b";

    if (FragsText(line) == "S") {
        player.frags = 0;
        return true;
    }
    if (player.frags == kSpectatorFrags && player.name.starts_with(kSpectatorNamePrefix)) {
        player.frags = 0;
        player.name.erase(0, kSpectatorNamePrefix.size());
        // In 64 bits: the lowest ping a reply can give (saturated) has no 32-bit negation.
        player.ping = static_cast<std::int32_t>(
            std::min<std::int64_t>(-std::int64_t{player.ping}, kHighestPing));
        return true;
    }
    return false;
}

void ReadPlayerLines(std::string_view remainder, StatusModel& model, StatusLayout layout)
{
    PlayerEntry spectator;
    while (true) {
        const std::size_t newline = remainder.find('\n');
        const std::string_view line = remainder.substr(0, newline);
        if (line.size() < kShortestPlayerLine)
            return;
        if (layout == StatusLayout::Plain) {
            // Lines past the model's room are dropped.
            if (model.playerCount >= kMaxPlayers)
                return;
            model.serverEmpty = false;
            ReadPlayerLine(line, model.players[model.playerCount]);
            ++model.playerCount;
        } else if (model.playerCount < kMaxPlayers) {
            // Read into the next row; a spectator moves out of it to its own list.
            PlayerEntry& row = model.players[model.playerCount];
            if (ReadExtendedPlayerLine(line, row)) {
                if (model.spectators.size() < static_cast<std::size_t>(kMaxPlayers))
                    model.spectators.push_back(row);
            } else {
                model.serverEmpty = false;
                ++model.playerCount;
            }
        } else if (ReadExtendedPlayerLine(line, spectator) &&
                   model.spectators.size() < static_cast<std::size_t>(kMaxPlayers)) {
            model.spectators.push_back(spectator);
        }
        if (newline == std::string_view::npos)
            return;
        remainder.remove_prefix(newline + 1);
    }
}

} // namespace

void ReadStatusReply(std::string_view replyText, StatusModel& model, StatusLayout layout)
{
    model.playerCount = 0;
    model.spectators.clear();
    model.serverInfo.infoCount = 0;
    model.serverEmpty = true;

    // Without a backslash there is neither a section nor a player line to find.
    const std::size_t firstBackslash = replyText.find('\\');
    if (firstBackslash == std::string_view::npos)
        return;

    std::string_view remainder = replyText.substr(firstBackslash + 1);
    if (replyText.size() >= kMinimumLengthWithServerInfo)
        remainder = ReadServerInfoSection(remainder, model.serverInfo);
    ReadPlayerLines(remainder, model, layout);
}
