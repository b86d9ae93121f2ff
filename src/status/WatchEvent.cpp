// SPDX-License-Identifier: GPL-2.0-or-later
// Event names as a person types them, and the readable lines both front ends show.
#include "status/WatchEvent.h"

#include "status/ReadableText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace {

constexpr std::string_view kPlayersPrefix = "players=";

constexpr std::array<std::pair<WatchEventKind, std::string_view>, 6> kNames{{
    {WatchEventKind::Join, "join"},
    {WatchEventKind::Leave, "leave"},
    {WatchEventKind::Players, "players=N"},
    {WatchEventKind::Full, "full"},
    {WatchEventKind::MatchStart, "match-start"},
    {WatchEventKind::MatchEnd, "match-end"},
}};

std::string_view PlainName(WatchEventKind kind)
{
    for (const auto& [entryKind, name] : kNames)
        if (entryKind == kind)
            return name;
    return {};
}

std::string PlayerWord(std::size_t count)
{
    return std::to_string(count) + (count == 1 ? " player" : " players");
}

} // namespace

WatchEvent PlayerListEvent(WatchEventKind kind, std::vector<EventPlayer> players)
{
    WatchEvent event;
    event.kind = kind;
    event.players = std::move(players);
    return event;
}

WatchEvent PlayerCountEvent(WatchEventKind kind, std::int32_t playerCount, std::int32_t threshold)
{
    WatchEvent event;
    event.kind = kind;
    event.playerCount = playerCount;
    event.threshold = threshold;
    return event;
}

WatchEvent MatchPhaseEvent(WatchEventKind kind, std::string status)
{
    WatchEvent event;
    event.kind = kind;
    event.status = std::move(status);
    return event;
}

Result<bool> EventSelection::Add(std::string_view name)
{
    if (name.starts_with(kPlayersPrefix)) {
        const std::string_view digits = name.substr(kPlayersPrefix.size());
        std::int32_t players = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), players);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
            players < kMinPlayersThreshold || players > kMaxPlayersThreshold)
            return Fail("'" + std::string(name) + "': N of players=N must be a whole number from " +
                        std::to_string(kMinPlayersThreshold) + " to " +
                        std::to_string(kMaxPlayersThreshold));
        SetPlayersThreshold(players);
        return true;
    }
    for (const auto& [kind, entryName] : kNames)
        if (kind != WatchEventKind::Players && entryName == name) {
            Add(kind);
            return true;
        }
    return Fail("'" + std::string(name) + "' is not an event; the events are " +
                WatchEventNamesHelp());
}

void EventSelection::SetPlayersThreshold(std::int32_t players)
{
    playersThreshold = std::clamp(players, kMinPlayersThreshold, kMaxPlayersThreshold);
    Add(WatchEventKind::Players);
}

std::optional<std::int32_t> EventSelection::PlayersThreshold() const
{
    return Has(WatchEventKind::Players) ? std::optional(playersThreshold) : std::nullopt;
}

bool EventSelection::Includes(const WatchEvent& event) const
{
    if (!Has(event.kind))
        return false;
    return event.kind != WatchEventKind::Players || event.threshold == playersThreshold;
}

std::vector<std::string> EventSelection::Names() const
{
    std::vector<std::string> names;
    for (const auto& [kind, name] : kNames)
        if (Has(kind))
            names.push_back(kind == WatchEventKind::Players
                                ? std::string(kPlayersPrefix) + std::to_string(playersThreshold)
                                : std::string(name));
    return names;
}

std::string WatchEventName(const WatchEvent& event)
{
    if (event.kind == WatchEventKind::Players)
        return std::string(kPlayersPrefix) + std::to_string(event.threshold);
    return std::string(PlainName(event.kind));
}

std::string WatchEventNamesHelp()
{
    std::string text;
    for (const auto& entry : kNames)
        text += (text.empty() ? "" : ", ") + std::string(entry.second);
    return text;
}

std::string WatchEventPlayerNames(const WatchEvent& event)
{
    std::string names;
    for (const EventPlayer& player : event.players)
        names += (names.empty() ? "" : ", ") + ReadableServerText(player.name);
    return names;
}

std::string WatchEventSummary(const WatchEvent& event)
{
    const auto status = [&] {
        return event.status.empty() ? std::string() : " (" + ReadableServerText(event.status) + ")";
    };
    switch (event.kind) {
    case WatchEventKind::Join:
    case WatchEventKind::Leave: {
        const char* verb = event.kind == WatchEventKind::Join ? " joined" : " left";
        if (event.players.size() == 1)
            return ReadableServerText(event.players.front().name) + verb;
        return PlayerWord(event.players.size()) + verb;
    }
    case WatchEventKind::Players:
        return PlayerWord(static_cast<std::size_t>(event.playerCount));
    case WatchEventKind::Full:
        return "Server full (" + PlayerWord(static_cast<std::size_t>(event.playerCount)) + ")";
    case WatchEventKind::MatchStart:
        return "Match started" + status();
    case WatchEventKind::MatchEnd:
        return "Match ended" + status();
    }
    return {};
}
