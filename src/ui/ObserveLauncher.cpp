// SPDX-License-Identifier: GPL-2.0-or-later
// The look-up of the qw:// handler through xdg-mime, and the opening of the URL with it.
#include "ui/ObserveLauncher.h"

#include <QDesktopServices>
#include <QProcess>

namespace {

constexpr const char* kSchemeHandlerType = "x-scheme-handler/qw";

} // namespace

ObserveLauncher::ObserveLauncher(std::function<void()> noHandler) : noHandler(std::move(noHandler))
{
    lookupDeadline.setSingleShot(true);
    // The killed look-up then ends with a crash exit, which counts as no handler.
    QObject::connect(&lookupDeadline, &QTimer::timeout, [this] {
        if (lookup)
            lookup->kill();
    });
}

ObserveLauncher::~ObserveLauncher()
{
    if (!lookup)
        return;
    lookup->disconnect(); // its end must not call back into a launcher that is going
    lookup->kill();
    lookup->waitForFinished(1000); // a killed process is reaped at once; `processes` deletes it
}

void ObserveLauncher::Open(const QUrl& url)
{
    if (lookup)
        return;
    pendingUrl = url;
    lookup = new QProcess(&processes);
    QProcess* process = lookup;
    QObject::connect(process, &QProcess::finished, process,
                     [this, process](int exitCode, QProcess::ExitStatus status) {
                         const bool found = status == QProcess::NormalExit && exitCode == 0 &&
                                            !process->readAllStandardOutput().trimmed().isEmpty();
                         OnLookupDone(found);
                     });
    QObject::connect(
        process, &QProcess::errorOccurred, process, [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) // no xdg-utils: no way to find a handler
                OnLookupDone(false);
        });
    lookupDeadline.start(kHandlerLookupTimeout);
    process->start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                                QString::fromLatin1(kSchemeHandlerType)});
}

void ObserveLauncher::OnLookupDone(bool handlerFound)
{
    lookupDeadline.stop();
    if (!lookup)
        return;
    // The process has ended, but it may not be deleted from its own signal: it goes once control
    // is back in the event loop, and its remaining signals reach no one.
    lookup->disconnect();
    lookup->deleteLater();
    lookup = nullptr;

    // The platforms of a desktop session hand the URL to xdg-open; one without URL services
    // (offscreen, minimal) refuses it, and then the same opener is started here. What runs in
    // noHandler may open a box with a nested event loop: nothing of this call follows it.
    if (handlerFound &&
        (QDesktopServices::openUrl(pendingUrl) ||
         QProcess::startDetached(QStringLiteral("xdg-open"), {pendingUrl.toString()})))
        return;
    noHandler();
}
