// SPDX-License-Identifier: GPL-2.0-or-later
// Counts socket readiness activations anywhere in the application while it lives, to show that
// nothing wakes up: an idle socket, or one that no longer reads.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

class SocketActivityCounter : public QObject
{
public:
    SocketActivityCounter() { QCoreApplication::instance()->installEventFilter(this); }
    ~SocketActivityCounter() override { QCoreApplication::instance()->removeEventFilter(this); }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::SockAct)
            ++count;
        return false;
    }

    int count = 0;
};
