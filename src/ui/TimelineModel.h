// SPDX-License-Identifier: GPL-2.0-or-later
// The points of a timeline: the team totals and total frags of each reply of one watch, against
// the time since the watch began, and the moments a match started or ended. Plain data, no Qt;
// the chart draws it, tests read it.
#pragma once

#include "query/MatchRecord.h"
#include "status/StandingsTotals.h"
#include "status/TeamMode.h"
#include "status/WatchEventTracker.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TimelinePoint
{
    std::chrono::milliseconds sinceStart{0}; // since the watch's first reply
    std::array<std::int32_t, 3> teamTotal{};
    std::int32_t totalFrags = 0;
};

// Where the serverinfo "status" showed a match starting or ending, by the rule the watch's
// events follow.
struct TimelineMark
{
    std::chrono::milliseconds sinceStart{0};          // the reply that showed it
    WatchEventKind kind = WatchEventKind::MatchStart; // MatchStart or MatchEnd
};

class TimelineModel
{
public:
    // A day of replies is kept; older points are dropped first.
    static constexpr std::chrono::hours kKeptSpan{24};

    // Starts a new watch of `server`: no points.
    void Reset(std::string server);

    // One reply. The team setup shown in the legend is the latest one. A time before the
    // previous reply's (the clock was set back) counts as the previous reply's time, so that
    // the points stay in order. `status` is the reply's serverinfo "status" value, none when
    // the key is absent; a match start or end since the reply before becomes a mark.
    void Add(std::chrono::system_clock::time_point time, const StandingsTotals& totals,
             TeamMode mode, const TeamTexts& texts,
             std::optional<std::string_view> status = std::nullopt);

    // The last recording of a record (LastRecording), as if it had been watched.
    static TimelineModel FromRecord(const std::vector<RecordEntry>& entries);

    const std::string& Server() const { return server; }
    const std::deque<TimelinePoint>& Points() const { return points; }
    // In time order, none older than the oldest point.
    const std::deque<TimelineMark>& Marks() const { return marks; }
    TeamMode Mode() const { return mode; }
    const TeamTexts& Texts() const { return texts; }

    // Whether team `team` (0 to 2) gets a line: it has a text now or had frags at some point.
    bool TeamShown(int team) const;

private:
    std::string server;
    std::deque<TimelinePoint> points;
    std::deque<TimelineMark> marks;
    MatchPhase phase = MatchPhase::NoStatus; // the last reply's phase other than Other
    std::chrono::system_clock::time_point start;
    TeamMode mode = TeamMode::Skin;
    TeamTexts texts;
    std::array<bool, 3> teamHadFrags{};
};
