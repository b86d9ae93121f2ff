// SPDX-License-Identifier: GPL-2.0-or-later
// DesktopNotifier: tells the person something through the desktop's notification service
// (org.freedesktop.Notifications on the session bus), each notification replacing the one before
// it; where no service answers, it asks the window system to draw attention to the window (the
// urgency hint) instead. Calls never block: answers come back through the event loop. GUI thread
// only; owned by the window it speaks for.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QDBusPendingCallWatcher;

class DesktopNotifier : public QObject
{
public:
    // `askAttention` runs when no notification service answers (QApplication::alert for the
    // window, in the program).
    explicit DesktopNotifier(std::function<void()> askAttention);
    ~DesktopNotifier() override;

    // Plain texts; the body is escaped where the service reads markup. A notification asked for
    // while the previous call is still on its way waits for it, so that it can replace it; of
    // several waiting, only the newest is sent.
    void Notify(const QString& summary, const QString& body);

private:
    struct Message
    {
        QString summary;
        QString body;
    };

    void SendNext();
    void AskCapabilities();
    void OnCapabilities(QDBusPendingCallWatcher* call);
    void OnNotified(QDBusPendingCallWatcher* call);
    void Fail();

    std::function<void()> askAttention;
    std::optional<Message> waiting;
    bool callOnItsWay = false;
    std::optional<bool> bodyMarkup; // known once the service has told its capabilities
    unsigned replacesId = 0;        // the service's id of our last notification
};
