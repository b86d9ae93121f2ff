// SPDX-License-Identifier: GPL-2.0-or-later
// Timeline points kept in a deque: appended at the back, the oldest dropped at the front.
#include "ui/TimelineModel.h"

void TimelineModel::Reset(std::string newServer)
{
    server = std::move(newServer);
    points.clear();
    teamHadFrags = {};
}

void TimelineModel::Add(std::chrono::system_clock::time_point time, const StandingsTotals& totals,
                        TeamMode newMode, const TeamTexts& newTexts)
{
    using std::chrono::milliseconds;
    if (points.empty())
        start = time;
    milliseconds sinceStart = std::chrono::duration_cast<milliseconds>(time - start);
    if (!points.empty() && sinceStart < points.back().sinceStart)
        sinceStart = points.back().sinceStart;
    points.push_back({sinceStart, totals.teamTotal, totals.totalFrags});
    while (sinceStart - points.front().sinceStart > kKeptSpan)
        points.pop_front();
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
        model.Add(entry.time, entry.totals, entry.teamMode, entry.teamTexts);
    return model;
}

bool TimelineModel::TeamShown(int team) const
{
    const auto index = static_cast<std::size_t>(team);
    return !texts[index].empty() || teamHadFrags[index];
}
