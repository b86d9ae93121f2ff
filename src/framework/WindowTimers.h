// SPDX-License-Identifier: GPL-2.0-or-later
// The timers of one window, by the program's own identifiers. A tick is posted as an event
// and then delivered as WM_TIMER, so a handler that is suspended in a message box does not stop
// its own timer: the next tick runs inside that box's nested loop, as on the native platform.
// At most one tick per timer waits at a time; stopping a timer drops its waiting tick.
#pragma once

#include "platform/WindowMessage.h"

#include <QObject>
#include <map>
#include <set>

class WindowTimers : public QObject
{
public:
    explicit WindowTimers(CMessageTarget& owner);
    ~WindowTimers() override;

    void Start(UINT id, UINT milliseconds);
    bool Stop(UINT id);

protected:
    void timerEvent(QTimerEvent* event) override;
    void customEvent(QEvent* event) override;

private:
    CMessageTarget& owner;
    std::map<UINT, int> qtTimerIds; // our identifier -> Qt's
    std::set<UINT> pendingTicks;
};
