// SPDX-License-Identifier: GPL-2.0-or-later
// From standings to a notification: compare, keep the chosen events, word them.
#include "ui/WatchAlerts.h"

#include "framework/Text.h"
#include "status/ReadableText.h"

#include <algorithm>

WatchAlerts::WatchAlerts(std::unique_ptr<DesktopNotifier> notifier) : notifier(std::move(notifier))
{}

void WatchAlerts::Choose(const EventSelection& alerts)
{
    chosen = alerts;
    tracker.SetPlayersThreshold(chosen.PlayersThreshold());
    tracker.Reset();
}

void WatchAlerts::OnStandings(const StatusModel& standings, const std::string& server)
{
    if (chosen.Empty())
        return;
    if (server != trackedServer) {
        tracker.Reset();
        trackedServer = server;
    }
    std::vector<WatchEvent> events = tracker.Compare(standings);
    std::erase_if(events, [this](const WatchEvent& event) { return !chosen.Includes(event); });
    if (events.empty())
        return;
    const AlertTexts texts = MakeAlertTexts(events, standings, server);
    notifier->Notify(ToUnicode(texts.summary), ToUnicode(texts.body));
}

AlertTexts MakeAlertTexts(const std::vector<WatchEvent>& events, const StatusModel& standings,
                          const std::string& server)
{
    // The later kinds tell more: a full server says more than one more player joining.
    const WatchEvent& telling =
        *std::max_element(events.begin(), events.end(),
                          [](const WatchEvent& a, const WatchEvent& b) { return a.kind < b.kind; });
    const std::string host =
        telling.hostname.empty() ? server : ReadableServerText(telling.hostname);
    AlertTexts texts{WatchEventSummary(telling) + " on " + host, {}};

    bool playersNamed = false;
    for (const WatchEvent& event : events) {
        std::string line;
        if (event.kind == WatchEventKind::Join || event.kind == WatchEventKind::Leave) {
            line = (event.kind == WatchEventKind::Join ? "Joined: " : "Left: ") +
                   WatchEventPlayerNames(event);
        } else if (!playersNamed) {
            playersNamed = true;
            std::string names;
            for (std::int32_t row = 0; row < std::min(standings.playerCount, kMaxPlayers); ++row)
                names += (names.empty() ? "" : ", ") +
                         ReadableServerText(standings.players[static_cast<std::size_t>(row)].name);
            line = names.empty() ? "No players" : "Players: " + names;
        }
        if (!line.empty())
            texts.body += (texts.body.empty() ? "" : "\n") + line;
    }
    return texts;
}
