// SPDX-License-Identifier: GPL-2.0-or-later
// WatchAlerts: the alerts a person chose, told through a DesktopNotifier when the standings a
// window shows bring them. It never opens a box and never touches the window's caption. While
// nothing is chosen it does nothing at all. GUI thread only.
#pragma once

#include "status/StatusModel.h"
#include "status/WatchEvent.h"
#include "status/WatchEventTracker.h"
#include "ui/DesktopNotifier.h"

#include <memory>
#include <string>

class WatchAlerts
{
public:
    explicit WatchAlerts(std::unique_ptr<DesktopNotifier> notifier);

    // The alerts to tell from now on; the next standings are compared with nothing.
    void Choose(const EventSelection& alerts);
    const EventSelection& Chosen() const { return chosen; }

    // The standings of one answered query, shown for `server` (host and port as typed). Standings
    // of another server than the last ones start a new comparison.
    void OnStandings(const StatusModel& standings, const std::string& server);
    // The watch has stopped: the first standings of the next one are compared with nothing.
    void OnWatchStopped() { tracker.Reset(); }

private:
    std::unique_ptr<DesktopNotifier> notifier;
    EventSelection chosen;
    WatchEventTracker tracker;
    std::string trackedServer;
};

// The notification for the chosen events of one reply: a summary naming the server
// ("8 players on Tallyhawk demo server"; the most telling event when there are several) and a
// body naming players, one line per event. Texts readable, as the window shows them. `server`
// stands in for a reply without a "hostname".
struct AlertTexts
{
    std::string summary;
    std::string body;
};
AlertTexts MakeAlertTexts(const std::vector<WatchEvent>& events, const StatusModel& standings,
                          const std::string& server);
