// SPDX-License-Identifier: GPL-2.0-or-later
// The timeline: the team totals of the current watch drawn against time, in a window of its own.
// The points are collected from the first reply, so the window shows the whole watch whenever
// it is opened.
#include "status/WatchEventTracker.h"
#include "ui/MonitorDlg.h"

void CMonitorDlg::OnTimeline()
{
    QPointer<CTimelineWnd>& window = timelineWindow.window;
    if (!window)
        window = new CTimelineWnd(timelineWatch, GetSafeHwnd());
    window->show();
    window->raise();
    window->activateWindow();
}

void CMonitorDlg::AddTimelinePoint()
{
    if (!standingsServer)
        return;
    const std::string server = standingsServer->Text();
    if (server != timelineWatch.Server() || timelineWatch.Points().empty())
        timelineWatch.Reset(server);
    timelineWatch.Add(std::chrono::system_clock::now(), totals, ShownTeamMode(),
                      {team1Text, team2Text, team3Text}, MatchStatusValue(status.serverInfo));
    if (timelineWindow.window)
        timelineWindow.window->WatchChanged();
}
