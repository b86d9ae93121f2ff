// SPDX-License-Identifier: GPL-2.0-or-later
// Sharing what the window shows: the standings and the server's address on the clipboard, and
// the Observe button, which opens the server in the person's QuakeWorld client.
#include "framework/MessageBox.h"
#include "res/ResourceIds.h"
#include "status/DecimalText.h"
#include "ui/MonitorDlg.h"
#include "ui/ServerUrl.h"

#include <QClipboard>
#include <QDateTime>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

namespace {

constexpr const char* kObserveNotice =
    "This is Gonna Be an Observe Game Option when I get around to it -Vesk";

// Takes Ctrl+C (the platform's copy keys) from the widget it filters before the widget's own
// handling, which would copy the current cell's text.
class CopyKeyFilter : public QObject
{
public:
    CopyKeyFilter(QObject* parent, std::function<void()> copy)
        : QObject(parent), copy(std::move(copy))
    {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool copyKey =
            (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy);
        if (!copyKey)
            return QObject::eventFilter(watched, event);
        // An accepted override keeps the keys from every shortcut: they come as a key press.
        if (event->type() == QEvent::KeyPress)
            copy();
        event->accept();
        return true;
    }

private:
    std::function<void()> copy;
};

void ShowObserveNotice()
{
    // Nested event loop: the watch cycle goes on while the notice is open.
    AfxMessageBox(kObserveNotice);
}

} // namespace

std::optional<WatchedServer> CMonitorDlg::ServerInFields() const
{
    // Read from the controls: what the person sees now, typed but not yet saved.
    const std::string host = hostEdit.GetWindowText();
    // As Watch Server reads it: the low 16 bits of the number.
    const auto port = static_cast<std::uint16_t>(DecimalTextToInt(portCombo.GetWindowText()));
    if (host.empty() || port == 0)
        return std::nullopt;
    return WatchedServer{host, port};
}

void CMonitorDlg::KeepShownStandings()
{
    shownStandings = ShownStandings{
        {{status, totals}, {team1Text, team2Text, team3Text}},
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString()};
}

void CMonitorDlg::InstallCopyKey()
{
    // Only while the player list has the focus: in an edit, Ctrl+C copies the edit's text.
    QWidget* list = GetDlgItemWidget(kPlayerListId);
    list->installEventFilter(new CopyKeyFilter(list, [this] { OnCopyStandings(); }));
}

void CMonitorDlg::OnCopyStandings()
{
    // The menus grey the entry without standings; Ctrl+C does nothing then.
    if (!standingsServer || !shownStandings)
        return;
    QGuiApplication::clipboard()->setMimeData(
        StandingsMimeData(shownStandings->standings, standingsServer->host, standingsServer->port,
                          shownStandings->localTime)
            .release());
}

void CMonitorDlg::OnCopyServerAddress()
{
    if (const std::optional<WatchedServer> server = ServerInFields())
        QGuiApplication::clipboard()->setMimeData(
            ServerAddressMimeData(server->host, server->port).release());
}

void CMonitorDlg::OnObserve()
{
    const std::optional<WatchedServer> server = ServerInFields();
    const std::optional<QUrl> url =
        server ? ServerUrl(server->host, server->port, QStringLiteral("/observe")) : std::nullopt;
    if (!url) {
        ShowObserveNotice();
        return;
    }
    if (!observeLauncher)
        observeLauncher = std::make_unique<ObserveLauncher>(ShowObserveNotice);
    observeLauncher->Open(*url);
}
