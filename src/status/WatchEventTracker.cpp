// SPDX-License-Identifier: GPL-2.0-or-later
// The event comparison. It runs after every answered query, so the usual case (the same players
// as before) costs a look-up per player and no allocation; names are copied only when the
// players change, which is also why a rename alone is not noticed.
#include "status/WatchEventTracker.h"

#include <algorithm>
#include <bit>
#include <string>

namespace {

bool EqualIgnoringAsciiCase(std::string_view text, std::string_view lowerCaseWord)
{
    return text.size() == lowerCaseWord.size() &&
           std::equal(text.begin(), text.end(), lowerCaseWord.begin(), [](char a, char b) {
               return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
           });
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The value of the first pair with this key, or none.
std::optional<std::string_view> ServerInfoValue(const ServerInfoTable& table, std::string_view key)
{
    for (std::int32_t pair = 0; pair < table.infoCount; ++pair)
        if (std::string_view(table.infoKeys[pair]) == key)
            return table.infoValues[pair];
    return std::nullopt;
}

// The two values every compare reads, found in one pass over the pairs.
struct CompareKeys
{
    std::optional<std::string_view> status;
    std::optional<std::string_view> maxClients;
};

CompareKeys FindCompareKeys(const ServerInfoTable& table)
{
    CompareKeys keys;
    for (std::int32_t pair = 0; pair < table.infoCount; ++pair) {
        const std::string_view key = table.infoKeys[pair];
        if (!keys.status && key == std::string_view("status"))
            keys.status = table.infoValues[pair];
        else if (!keys.maxClients && key == std::string_view("maxclients"))
            keys.maxClients = table.infoValues[pair];
    }
    return keys;
}

// "maxclients" only where it is a plain positive number; a server's slots never pass a few dozen.
std::optional<std::int32_t> MaxClients(std::optional<std::string_view> value)
{
    if (!value || value->empty() || value->size() > 3 ||
        !std::all_of(value->begin(), value->end(), IsDigit))
        return std::nullopt;
    std::int32_t number = 0;
    for (const char digit : *value)
        number = number * 10 + (digit - '0');
    return number > 0 ? std::optional(number) : std::nullopt;
}

std::size_t Slot(std::int32_t userId, std::size_t slots)
{
    return (static_cast<std::uint32_t>(userId) * 0x9E3779B1u >> 16) & (slots - 1);
}

// The players of the rows, each once, in row order; more than a few become one event.
void AddPlayerEvents(std::vector<WatchEvent>& events, WatchEventKind kind,
                     std::vector<EventPlayer> players)
{
    if (players.empty())
        return;
    if (players.size() > kMaxSeparatePlayerEvents) {
        events.push_back(PlayerListEvent(kind, std::move(players)));
        return;
    }
    for (EventPlayer& player : players)
        events.push_back(PlayerListEvent(kind, {std::move(player)}));
}

} // namespace

MatchPhase MatchPhaseOfStatus(std::string_view value)
{
    if (EqualIgnoringAsciiCase(value, "standby") || EqualIgnoringAsciiCase(value, "countdown"))
        return MatchPhase::Waiting;
    const std::size_t digits = static_cast<std::size_t>(
        std::find_if_not(value.begin(), value.end(), IsDigit) - value.begin());
    const std::string_view rest = value.substr(digits);
    if (digits > 0 &&
        (EqualIgnoringAsciiCase(rest, " min left") || EqualIgnoringAsciiCase(rest, " sec left")))
        return MatchPhase::Running;
    return MatchPhase::Other;
}

std::optional<std::string_view> MatchStatusValue(const ServerInfoTable& table)
{
    return ServerInfoValue(table, "status");
}

std::optional<WatchEventKind> MatchTransition(MatchPhase before, MatchPhase after)
{
    if (before == MatchPhase::Waiting && after == MatchPhase::Running)
        return WatchEventKind::MatchStart;
    if (before == MatchPhase::Running &&
        (after == MatchPhase::Waiting || after == MatchPhase::NoStatus))
        return WatchEventKind::MatchEnd;
    return std::nullopt;
}

WatchEventTracker::WatchEventTracker(std::optional<std::int32_t> playersThreshold)
    : playersThreshold(playersThreshold), lastStatusPhase(MatchPhaseOfStatus(""))
{
    index.fill(-1);
}

void WatchEventTracker::SetPlayersThreshold(std::optional<std::int32_t> threshold)
{
    playersThreshold = threshold;
}

void WatchEventTracker::Reset()
{
    haveBaseline = false;
    rowCount = 0;
    playerCount = 0;
    index.fill(-1);
    phase = MatchPhase::NoStatus;
    lastStatus.clear();
    lastStatusPhase = MatchPhaseOfStatus("");
}

int WatchEventTracker::FindRow(std::int32_t userId) const
{
    for (std::size_t slot = Slot(userId, kIndexSlots);; slot = (slot + 1) & (kIndexSlots - 1)) {
        const int row = index[slot];
        if (row < 0 || userIds[static_cast<std::size_t>(row)] == userId)
            return row;
    }
}

void WatchEventTracker::Remember(const StatusModel& model)
{
    index.fill(-1);
    rowCount = 0;
    const std::int32_t lines = std::clamp(model.playerCount, 0, kMaxPlayers);
    for (std::int32_t line = 0; line < lines; ++line) {
        const PlayerEntry& player = model.players[static_cast<std::size_t>(line)];
        if (FindRow(player.userId) >= 0)
            continue;
        std::size_t slot = Slot(player.userId, kIndexSlots);
        while (index[slot] >= 0)
            slot = (slot + 1) & (kIndexSlots - 1);
        index[slot] = static_cast<std::int8_t>(rowCount);
        userIds[static_cast<std::size_t>(rowCount)] = player.userId;
        names[static_cast<std::size_t>(rowCount)] = player.name;
        ++rowCount;
    }
    playerCount = lines;
}

std::vector<WatchEvent> WatchEventTracker::Compare(const StatusModel& model)
{
    const CompareKeys keys = FindCompareKeys(model.serverInfo);
    const std::optional<std::string_view>& status = keys.status;
    // The value mostly reads as it did in the reply before.
    if (status && *status != lastStatus) {
        lastStatus = *status;
        lastStatusPhase = MatchPhaseOfStatus(*status);
    }
    const MatchPhase newPhase = status ? lastStatusPhase : MatchPhase::NoStatus;
    if (!haveBaseline) {
        haveBaseline = true;
        Remember(model);
        if (newPhase != MatchPhase::Other)
            phase = newPhase;
        return {};
    }

    // Rows of the last reply seen again are marked in seenRows; a line whose user id is unknown
    // is a join, unless an earlier line of this reply had the same id.
    const std::int32_t lines = std::clamp(model.playerCount, 0, kMaxPlayers);
    std::array<std::int8_t, kMaxPlayers> joinLines;
    std::size_t joinCount = 0;
    std::uint64_t seenRows = 0;
    static_assert(kMaxPlayers <= 64);
    for (std::int32_t line = 0; line < lines; ++line) {
        const PlayerEntry& player = model.players[static_cast<std::size_t>(line)];
        // Between two replies most players keep their place in the frag order.
        const int row = line < rowCount && userIds[static_cast<std::size_t>(line)] == player.userId
                            ? line
                            : FindRow(player.userId);
        if (row < 0) {
            const bool repeated =
                std::any_of(joinLines.begin(), joinLines.begin() + joinCount, [&](auto earlier) {
                    return model.players[static_cast<std::size_t>(earlier)].userId == player.userId;
                });
            if (!repeated)
                joinLines[joinCount++] = static_cast<std::int8_t>(line);
            continue;
        }
        seenRows |= std::uint64_t{1} << row;
    }
    const auto matched = static_cast<std::int32_t>(std::popcount(seenRows));

    std::vector<WatchEvent> events;
    if (matched < rowCount) {
        std::vector<EventPlayer> leavers;
        for (std::int32_t row = 0; row < rowCount; ++row)
            if ((seenRows >> row & 1) == 0)
                leavers.push_back(
                    {userIds[static_cast<std::size_t>(row)], names[static_cast<std::size_t>(row)]});
        AddPlayerEvents(events, WatchEventKind::Leave, std::move(leavers));
    }
    if (joinCount > 0) {
        std::vector<EventPlayer> joiners;
        for (std::size_t join = 0; join < joinCount; ++join) {
            const PlayerEntry& player = model.players[static_cast<std::size_t>(joinLines[join])];
            joiners.push_back({player.userId, player.name});
        }
        AddPlayerEvents(events, WatchEventKind::Join, std::move(joiners));
    }

    const std::int32_t previousCount = playerCount;
    if (playersThreshold && previousCount < *playersThreshold && lines >= *playersThreshold)
        events.push_back(PlayerCountEvent(WatchEventKind::Players, lines, *playersThreshold));
    const std::optional<std::int32_t> maxClients = MaxClients(keys.maxClients);
    if (maxClients && previousCount < *maxClients && lines >= *maxClients)
        events.push_back(PlayerCountEvent(WatchEventKind::Full, lines, *maxClients));

    if (const std::optional<WatchEventKind> match = MatchTransition(phase, newPhase))
        events.push_back(MatchPhaseEvent(*match, std::string(status.value_or(std::string_view()))));
    if (newPhase != MatchPhase::Other)
        phase = newPhase;

    if (matched < rowCount || joinCount > 0)
        Remember(model);
    playerCount = lines;
    if (!events.empty()) {
        const std::string hostname{ServerInfoValue(model.serverInfo, "hostname").value_or("")};
        for (WatchEvent& event : events)
            event.hostname = hostname;
    }
    return events;
}
