// SPDX-License-Identifier: GPL-2.0-or-later
// ObserveLauncher: opens a server in the person's QuakeWorld client through the desktop's handler
// of qw:// URLs (x-scheme-handler/qw in the XDG lookup, which QuakeWorld clients register).
// GUI thread only; the look-up runs as a process of its own, so the window goes on meanwhile.
#pragma once

#include <QObject>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <functional>

class QProcess;

// How long the look-up of the handler may take before it is killed and the URL counts as having
// none.
inline constexpr std::chrono::seconds kHandlerLookupTimeout{5};

class ObserveLauncher
{
public:
    // noHandler is called for a URL that no handler takes, from the event loop after Open.
    explicit ObserveLauncher(std::function<void()> noHandler);
    ~ObserveLauncher();
    ObserveLauncher(const ObserveLauncher&) = delete;
    ObserveLauncher& operator=(const ObserveLauncher&) = delete;

    // Asks `xdg-mime query default x-scheme-handler/qw` for the handler and opens the URL with
    // it; calls noHandler when there is none, when xdg-mime is missing or fails, or when it has
    // not answered within kHandlerLookupTimeout. A call while a look-up runs is dropped: the
    // person pressed twice.
    void Open(const QUrl& url);

private:
    void OnLookupDone(bool handlerFound);

    std::function<void()> noHandler;
    QUrl pendingUrl;
    QObject processes;          // owns the look-ups, ended ones until their deletion
    QProcess* lookup = nullptr; // the look-up under way, if any
    QTimer lookupDeadline;
};
