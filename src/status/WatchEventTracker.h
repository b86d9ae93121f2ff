// SPDX-License-Identifier: GPL-2.0-or-later
// Compares the standings of successive answered queries of one watch and gives the events
// between them. Pure (no I/O, no clock), one per watch, used from one thread at a time.
#pragma once

#include "status/StatusModel.h"
#include "status/WatchEvent.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How a serverinfo "status" value reads. Servers of the KTX family write "Standby" (before a
// match and after it), "Countdown" (the seconds before it), "N min left" and, on some mods,
// "N sec left" (while it runs). Anything else is Other and moves no match event either way.
enum class MatchPhase
{
    NoStatus, // the key is absent
    Waiting,
    Running,
    Other,
};
MatchPhase MatchPhaseOfStatus(std::string_view statusValue);

// The serverinfo "status" value (the first pair with that key), or none when the key is absent.
std::optional<std::string_view> MatchStatusValue(const ServerInfoTable& table);

// The match event between the phase of the replies before (the last one that was not Other) and
// a reply's phase: Waiting to Running starts a match; Running to Waiting or NoStatus ends it.
// Other gives nothing and leaves the phase before as it was; so does a first Running seen
// without a Waiting before it (the watch began in the middle of a match).
std::optional<WatchEventKind> MatchTransition(MatchPhase before, MatchPhase after);

class WatchEventTracker
{
public:
    // playersThreshold: the N of players=N, or none for no Players events.
    explicit WatchEventTracker(std::optional<std::int32_t> playersThreshold = std::nullopt);

    void SetPlayersThreshold(std::optional<std::int32_t> playersThreshold);

    // Takes the standings of one answered query (players in any order). The first one after
    // construction or Reset is the baseline and gives no events; later ones give the events
    // since the one before, in the order Leave, Join, Players, Full, MatchStart/MatchEnd.
    // A failed query is simply not passed in, so the next answer is compared with the last one.
    // Players are told apart by user id only; a user id listed twice counts once. A leave names
    // the player as the last reply with a join or leave showed them (a rename is no event).
    std::vector<WatchEvent> Compare(const StatusModel& model);

    // Forgets the baseline: the next reply starts a new watch.
    void Reset();

private:
    static constexpr std::size_t kIndexSlots = 64; // a power of two, at least 2 * kMaxPlayers

    // The row of the last reply's player with this user id, or -1.
    int FindRow(std::int32_t userId) const;
    void Remember(const StatusModel& model);

    std::optional<std::int32_t> playersThreshold;
    bool haveBaseline = false;
    // The last answered reply's players, each user id once, and their names.
    std::array<std::int32_t, kMaxPlayers> userIds{};
    std::array<std::string, kMaxPlayers> names;
    std::int32_t rowCount = 0;
    std::array<std::int8_t, kIndexSlots> index{}; // open addressing: row, or -1 for free
    std::int32_t playerCount = 0;                 // player lines, duplicates included
    MatchPhase phase = MatchPhase::NoStatus;      // the last phase other than Other
    std::string lastStatus;                       // the last "status" value read
    MatchPhase lastStatusPhase;                   // how lastStatus reads
};
