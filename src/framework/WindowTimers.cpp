// SPDX-License-Identifier: GPL-2.0-or-later
// Window timers: Qt timers whose ticks are posted and then sent as WM_TIMER.
#include "framework/WindowTimers.h"

#include "framework/WindowMessages.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimerEvent>

namespace {

const QEvent::Type kTickEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class TickEvent : public QEvent
{
public:
    explicit TickEvent(UINT id) : QEvent(kTickEvent), id(id) {}
    UINT id;
};

} // namespace

WindowTimers::WindowTimers(CMessageTarget& owner) : owner(owner)
{}

WindowTimers::~WindowTimers() = default;

void WindowTimers::Start(UINT id, UINT milliseconds)
{
    Stop(id);
    qtTimerIds[id] = startTimer(static_cast<int>(milliseconds), Qt::CoarseTimer);
}

bool WindowTimers::Stop(UINT id)
{
    auto found = qtTimerIds.find(id);
    if (found == qtTimerIds.end())
        return false;
    killTimer(found->second);
    qtTimerIds.erase(found);
    pendingTicks.erase(id);
    return true;
}

void WindowTimers::timerEvent(QTimerEvent* event)
{
    for (const auto& [id, qtId] : qtTimerIds) {
        if (qtId != event->timerId())
            continue;
        if (pendingTicks.insert(id).second)
            QCoreApplication::postEvent(this, new TickEvent(id));
        return;
    }
}

void WindowTimers::customEvent(QEvent* event)
{
    if (event->type() != kTickEvent)
        return;
    UINT id = static_cast<TickEvent*>(event)->id;
    // A tick of a timer stopped (or restarted) since it was posted is dropped.
    if (pendingTicks.erase(id) == 0)
        return;
    // The handler may open a message box; further ticks of every timer then arrive inside it.
    owner.SendMessage(WM_TIMER, id, 0);
}
