// SPDX-License-Identifier: GPL-2.0-or-later
// The waits dispatch the thread's events in slices of 10 ms: whatever is posted meanwhile runs.
#include "EventLoopWait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>

bool RunUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline)
{
    QDeadlineTimer timer(deadline);
    while (!condition()) {
        if (timer.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

void RunFor(std::chrono::milliseconds duration)
{
    QDeadlineTimer timer(duration);
    while (!timer.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
}
