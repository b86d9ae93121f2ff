// SPDX-License-Identifier: GPL-2.0-or-later
// The points of a timeline: the team totals and total frags of each reply of one watch, against
// the time since the watch began. Plain data, no Qt; the chart draws it, tests read it.
#pragma once

#include "query/MatchRecord.h"
#include "status/StandingsTotals.h"
#include "status/TeamMode.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

struct TimelinePoint
{
    std::chrono::milliseconds sinceStart{0}; // since the watch's first reply
    std::array<std::int32_t, 3> teamTotal{};
    std::int32_t totalFrags = 0;
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
    // the points stay in order.
    void Add(std::chrono::system_clock::time_point time, const StandingsTotals& totals,
             TeamMode mode, const TeamTexts& texts);

    // The last recording of a record (LastRecording), as if it had been watched.
    static TimelineModel FromRecord(const std::vector<RecordEntry>& entries);

    const std::string& Server() const { return server; }
    const std::deque<TimelinePoint>& Points() const { return points; }
    TeamMode Mode() const { return mode; }
    const TeamTexts& Texts() const { return texts; }

    // Whether team `team` (0 to 2) gets a line: it has a text now or had frags at some point.
    bool TeamShown(int team) const;

private:
    std::string server;
    std::deque<TimelinePoint> points;
    std::chrono::system_clock::time_point start;
    TeamMode mode = TeamMode::Skin;
    TeamTexts texts;
    std::array<bool, 3> teamHadFrags{};
};
