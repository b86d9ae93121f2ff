// SPDX-License-Identifier: GPL-2.0-or-later
// tallyhawk-screenshot OUT.png [--server HOST:PORT] [--refreshes N] [--teams A,B,C]: renders the
// monitor dialog on the current platform (offscreen by default) and saves the picture. Without
// --server it shows the window as it opens; with --server it fills in host and port (and the
// team skins, if given), presses "Watch Server" and takes the picture after N parsed replies
// (default 1). For the README and layout reviews.
#include "framework/MessageBox.h"
#include "framework/Text.h"
#include "res/ResourceIds.h"
#include "ui/MonitorDlg.h"
#include "ui/MonitorDlgSeam.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = "usage: tallyhawk-screenshot OUT.png [--server HOST:PORT] "
                               "[--refreshes N] [--teams A,B,C]\n";
constexpr qint64 kMillisecondsPerReply = 5000;

struct Options
{
    std::string out;
    std::optional<std::string> server;
    int refreshes = 1;
    std::vector<std::string> teams; // skins typed into the team fields before watching
};

std::optional<Options> ParseOptions(int argc, char** argv)
{
    Options options;
    for (int index = 1; index < argc; ++index) {
        const std::string argument = argv[index];
        const bool hasValue = index + 1 < argc;
        if (argument == "--server" && hasValue) {
            options.server = argv[++index];
        } else if (argument == "--refreshes" && hasValue) {
            char* end = nullptr;
            const long count = std::strtol(argv[++index], &end, 10);
            if (*end != '\0' || count < 1 || count > 1000)
                return std::nullopt;
            options.refreshes = static_cast<int>(count);
        } else if (argument == "--teams" && hasValue) {
            const std::string list = argv[++index];
            for (std::size_t start = 0; start <= list.size();) {
                std::size_t comma = std::min(list.find(',', start), list.size());
                options.teams.push_back(list.substr(start, comma - start));
                start = comma + 1;
            }
            if (options.teams.size() > 3)
                return std::nullopt;
        } else if (options.out.empty() && !argument.starts_with("--")) {
            options.out = argument;
        } else {
            return std::nullopt;
        }
    }
    if (options.out.empty())
        return std::nullopt;
    return options;
}

void TypeInto(QWidget* control, const std::string& text)
{
    auto* edit = qobject_cast<QLineEdit*>(control);
    if (auto* combo = qobject_cast<QComboBox*>(control))
        edit = combo->lineEdit();
    if (edit) {
        edit->setText(ToUnicode(text));
    }
}

// Watches `server` until `refreshes` replies were parsed; a timer tick is sent as soon as one
// reply is in, so the picture does not wait for the refresh period. False, with a message, when
// the replies do not come in time or the window reports a failure.
bool WatchUntilReplies(CMonitorDlg& dialog, const std::string& server, int refreshes,
                       const std::vector<std::string>& teams)
{
    const std::size_t colon = server.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == server.size()) {
        std::fprintf(stderr, "tallyhawk-screenshot: --server takes HOST:PORT\n");
        return false;
    }
    std::optional<std::string> failure;
    // A box would wait for a person; its text is the reason the picture cannot be taken.
    SetMessageBoxHook([&](const MessageBoxRecord& box) {
        if (!failure)
            failure = box.text;
        return std::chrono::milliseconds(0);
    });
    int replies = 0;
    QObject::connect(dialog.GetSafeHwnd(), &QWidget::windowTitleChanged, [&](const QString& title) {
        if (title != QStringLiteral("Tallyhawk : Waiting.."))
            return;
        ++replies;
        if (replies < refreshes)
            QTimer::singleShot(
                0, [&dialog] { dialog.SendMessage(WM_TIMER, Seam(dialog).timerId, 0); });
    });

    TypeInto(dialog.GetDlgItemWidget(kHostEditId), server.substr(0, colon));
    TypeInto(dialog.GetDlgItemWidget(kPortComboId), server.substr(colon + 1));
    TypeInto(dialog.GetDlgItemWidget(kRefreshEditId), "5");
    const int teamFields[] = {kTeam1EditId, kTeam2EditId, kTeam3EditId};
    for (std::size_t team = 0; team < teams.size(); ++team)
        TypeInto(dialog.GetDlgItemWidget(teamFields[team]), teams[team]);
    if (auto* watch = qobject_cast<QAbstractButton*>(dialog.GetDlgItemWidget(kWatchButtonId)))
        watch->click();

    QElapsedTimer elapsed;
    elapsed.start();
    const qint64 deadline = kMillisecondsPerReply * refreshes;
    while (replies < refreshes && !failure && elapsed.elapsed() < deadline)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    SetMessageBoxHook({});
    if (failure) {
        std::fprintf(stderr, "tallyhawk-screenshot: the window reported \"%s\"\n",
                     failure->c_str());
        return false;
    }
    if (replies < refreshes) {
        std::fprintf(stderr, "tallyhawk-screenshot: %d of %d replies from %s in %lld s\n", replies,
                     refreshes, server.c_str(), static_cast<long long>(deadline / 1000));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    CMonitorDlg dialog;
    // A picture needs no particular local port; taking any free one lets it be made beside a
    // window that is watching.
    dialog.queryLocalPort = 0;
    if (!dialog.Create())
        return 1;
    QApplication::processEvents();
    if (options->server &&
        !WatchUntilReplies(dialog, *options->server, options->refreshes, options->teams))
        return 1;
    QApplication::processEvents();
    QPixmap picture = dialog.GetSafeHwnd()->grab();
    if (!picture.save(QString::fromLocal8Bit(options->out.c_str()))) {
        std::fprintf(stderr, "tallyhawk-screenshot: cannot write %s\n", options->out.c_str());
        return 1;
    }
    return 0;
}
