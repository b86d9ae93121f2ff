// Reads a status reply into the status model. Reply layout:
//   <header> '\' key '\' value '\' key ... '\n'  then player lines, each
//   userId ' ' frags ' ' minutes ' ' ping ' ' '"' name '"' ' ' '"' skin '"' ' ' top ' ' bottom '\n'
// Separators after a field are stepped over by count, never checked: a stray or missing
// separator shifts the later fields of that line instead of failing the reply.

#include "StatusReplyReader.h"

#include "DecimalText.h"

#include <algorithm>
#include <string_view>

namespace {

// A text shorter than this is taken to hold no serverinfo section at all.
constexpr std::size_t kMinimumLengthWithServerInfo = 26;
// The shortest line read as a player line; a shorter one (or the end of the text) ends them.
constexpr std::size_t kShortestPlayerLine = 6;
constexpr std::int32_t kHighestPing = 9999;

constexpr std::string_view kFieldEnds = "\\\n";

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

// Reads the pairs of the serverinfo section (which starts just after the first backslash) and
// returns the text after the newline that ends it. A section that runs to the end of the text
// is treated as if a newline ended it there, and no text follows it.
std::string_view ReadServerInfoSection(std::string_view section, ServerInfoTable& table)
{
    std::size_t position = 0;
    while (true) {
        const std::size_t keyEnd = section.find_first_of(kFieldEnds, position);
        const std::string_view key = section.substr(position, keyEnd - position);
        if (keyEnd == std::string_view::npos || section[keyEnd] == '\n') {
            // A key without a value is kept; an empty one (after a value's closing backslash
            // or straight after the first backslash) is not a key at all.
            if (!key.empty())
                StorePair(table, key, {});
            return keyEnd == std::string_view::npos ? std::string_view{}
                                                    : section.substr(keyEnd + 1);
        }

        position = keyEnd + 1;
        const std::size_t valueEnd = section.find_first_of(kFieldEnds, position);
        StorePair(table, key, section.substr(position, valueEnd - position));
        if (valueEnd == std::string_view::npos)
            return {};
        if (section[valueEnd] == '\n')
            return section.substr(valueEnd + 1);
        position = valueEnd + 1;
    }
}

// Walks one player line field by field. Every scan and every step stops at the end of the line,
// so a line that ends early leaves the unreached fields 0 or empty.
class PlayerLineCursor
{
public:
    explicit PlayerLineCursor(std::string_view line) : line(line) {}

    std::string_view ReadUpTo(char delimiter)
    {
        const std::size_t end = std::min(line.find(delimiter, position), line.size());
        const std::string_view field = line.substr(position, end - position);
        position = end;
        return field;
    }

    std::string_view ReadToEnd()
    {
        const std::string_view field = line.substr(position);
        position = line.size();
        return field;
    }

    void StepOver(std::size_t count) { position = std::min(line.size(), position + count); }

private:
    std::string_view line;
    std::size_t position = 0;
};

PlayerEntry ReadPlayerLine(std::string_view line)
{
    PlayerLineCursor cursor(line);
    PlayerEntry player;
    player.userId = DecimalTextToInt(cursor.ReadUpTo(' '));
    cursor.StepOver(1);
    player.frags = DecimalTextToInt(cursor.ReadUpTo(' '));
    cursor.StepOver(1);
    player.minutes = DecimalTextToInt(cursor.ReadUpTo(' '));
    cursor.StepOver(1);
    player.ping = std::min(DecimalTextToInt(cursor.ReadUpTo(' ')), kHighestPing);
    cursor.StepOver(2); // space, opening quote
    player.name = cursor.ReadUpTo('"');
    cursor.StepOver(3); // closing quote, space, opening quote
    player.skin = cursor.ReadUpTo('"');
    cursor.StepOver(2); // closing quote, space
    player.topColor = DecimalTextToInt(cursor.ReadUpTo(' '));
    cursor.StepOver(1);
    player.bottomColor = DecimalTextToInt(cursor.ReadToEnd());
    return player;
}

void ReadPlayerLines(std::string_view remainder, StatusModel& model)
{
    while (true) {
        const std::size_t newline = remainder.find('\n');
        const std::string_view line = remainder.substr(0, newline);
        if (line.size() < kShortestPlayerLine)
            return;
        // Lines past the model's room are dropped.
        if (model.playerCount >= kMaxPlayers)
            return;
        model.serverEmpty = false;
        model.players[model.playerCount] = ReadPlayerLine(line);
        ++model.playerCount;
        if (newline == std::string_view::npos)
            return;
        remainder.remove_prefix(newline + 1);
    }
}

} // namespace

void ReadStatusReply(std::string_view replyText, StatusModel& model)
{
    model.playerCount = 0;
    model.serverInfo.infoCount = 0;
    model.serverEmpty = true;

    // Without a backslash there is neither a section nor a player line to find.
    const std::size_t firstBackslash = replyText.find('\\');
    if (firstBackslash == std::string_view::npos)
        return;

    std::string_view remainder = replyText.substr(firstBackslash + 1);
    if (replyText.size() >= kMinimumLengthWithServerInfo)
        remainder = ReadServerInfoSection(remainder, model.serverInfo);
    ReadPlayerLines(remainder, model);
}
