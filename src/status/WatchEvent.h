// SPDX-License-Identifier: GPL-2.0-or-later
// What happened on a watched server between two answered queries (a player joined, the match
// started, ...), the names a person chooses them by, and their readable descriptions. Plain data.
#pragma once

#include "status/Result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class WatchEventKind
{
    Join,       // players whose user id the previous reply did not have
    Leave,      // players of the previous reply whose user id is gone
    Players,    // the player count went from below the chosen threshold to it or above
    Full,       // the player count reached the serverinfo "maxclients"
    MatchStart, // the serverinfo "status" went from a waiting value to a running one
    MatchEnd,   // it went from a running value to a waiting one, or the key went away
};

// The players=N threshold a person may choose.
inline constexpr std::int32_t kMinPlayersThreshold = 1;
inline constexpr std::int32_t kMaxPlayersThreshold = 64;

// More joins (or leaves) than this in one reply are told as one event naming them all.
inline constexpr std::size_t kMaxSeparatePlayerEvents = 3;

struct EventPlayer
{
    std::int32_t userId = 0;
    std::string name; // the received bytes; ReadableServerText for display

    bool operator==(const EventPlayer&) const = default;
};

struct WatchEvent
{
    WatchEventKind kind = WatchEventKind::Join;
    std::vector<EventPlayer> players; // Join, Leave: one, or more than kMaxSeparatePlayerEvents
    std::int32_t playerCount = 0;     // Players, Full: the count now
    std::int32_t threshold = 0;       // Players: N; Full: the maxclients value
    std::string status;               // MatchStart, MatchEnd: the new "status" bytes (may be empty)
    std::string hostname;             // the serverinfo "hostname" bytes of the reply, may be empty

    bool operator==(const WatchEvent&) const = default;
};

// Events of each shape: Join and Leave name players, Players and Full carry the count and the
// threshold it reached, MatchStart and MatchEnd the new "status" value.
WatchEvent PlayerListEvent(WatchEventKind kind, std::vector<EventPlayer> players);
WatchEvent PlayerCountEvent(WatchEventKind kind, std::int32_t playerCount, std::int32_t threshold);
WatchEvent MatchPhaseEvent(WatchEventKind kind, std::string status);

// The events a person waits for: a set of kinds, and N for Players.
class EventSelection
{
public:
    // Adds one event by its name: "join", "leave", "players=N" (N from 1 to 64), "full",
    // "match-start", "match-end". A second players=N replaces the first. Fails with a message
    // naming what was wrong.
    Result<bool> Add(std::string_view name);
    void Add(WatchEventKind kind) { kinds |= Bit(kind); }
    void SetPlayersThreshold(std::int32_t players); // also adds Players; clamped to 1 to 64

    bool Empty() const { return kinds == 0; }
    bool Has(WatchEventKind kind) const { return (kinds & Bit(kind)) != 0; }
    bool Includes(const WatchEvent& event) const;
    std::optional<std::int32_t> PlayersThreshold() const;

    // The names as Add takes them, in the order of WatchEventKind.
    std::vector<std::string> Names() const;

    bool operator==(const EventSelection&) const = default;

private:
    static unsigned Bit(WatchEventKind kind) { return 1u << static_cast<unsigned>(kind); }
    unsigned kinds = 0;
    std::int32_t playersThreshold = 0; // meaningful while Players is chosen
};

// "join", "leave", "players=8", "full", "match-start", "match-end".
std::string WatchEventName(const WatchEvent& event);
// The names of every event, for help texts: "join, leave, players=N, full, match-start,
// match-end".
std::string WatchEventNamesHelp();

// One short line for a person, names made readable: "Alice joined", "5 players joined",
// "8 players", "Server full (16 players)", "Match started (20 min left)", "Match ended".
std::string WatchEventSummary(const WatchEvent& event);
// The players an event names, readable and joined by ", " ("Alice, Bob"); empty for others.
std::string WatchEventPlayerNames(const WatchEvent& event);
