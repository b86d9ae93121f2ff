// SPDX-License-Identifier: GPL-2.0-or-later
// Timeline points kept in a deque: appended at the back, the oldest dropped at the front.
#include "ui/TimelineModel.h"

void TimelineModel::Reset(std::string newServer)
{
    server = std::move(newServer);
    points.clear();
    marks.clear();
    phase = MatchPhase::NoStatus;
    teamHadFrags = {};
}

void TimelineModel::Add(std::chrono::system_clock::time_point time, const StandingsTotals& totals,
                        TeamMode newMode, const TeamTexts& newTexts,
                        std::optional<std::string_view> status)
{
    using std::chrono::milliseconds;
    if (points.empty())
        start = time;
    milliseconds sinceStart = std::chrono::duration_cast<milliseconds>(time - start);
    if (!points.empty() && sinceStart < points.back().sinceStart)
        sinceStart = points.back().sinceStart;
    points.push_back({sinceStart, totals.teamTotal, totals.totalFrags});
    const MatchPhase newPhase = status ? MatchPhaseOfStatus(*status) : MatchPhase::NoStatus;
    if (const std::optional<WatchEventKind> match = MatchTransition(phase, newPhase))
        marks.push_back({sinceStart, *match});
    if (newPhase != MatchPhase::Other)
        phase = newPhase;
    while (sinceStart - points.front().sinceStart > kKeptSpan)
        points.pop_front();
    while (!marks.empty() && marks.front().sinceStart < points.front().sinceStart)
        marks.pop_front();
    mode = newMode;
    texts = newTexts;
    for (std::size_t team = 0; team < teamHadFrags.size(); ++team)
        teamHadFrags[team] = teamHadFrags[team] || totals.teamTotal[team] != 0;
}

TimelineModel TimelineModel::FromRecord(const std::vector<RecordEntry>& entries)
{
    TimelineModel model;
    const std::vector<RecordEntry> last = LastRecording(entries);
    if (last.empty())
        return model;
    model.Reset(last.front().server);
    for (const RecordEntry& entry : last)
        model.Add(entry.time, entry.totals, entry.teamMode, entry.teamTexts, entry.status);
    return model;
}

bool TimelineModel::TeamShown(int team) const
{
    const auto index = static_cast<std::size_t>(team);
    return !texts[index].empty() || teamHadFrags[index];
}
