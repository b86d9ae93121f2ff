// SPDX-License-Identifier: GPL-2.0-or-later
// The application object: sockets start-up, the monitor dialog as main window, the command
// line, and where the installed user guide is.
#include "app/MonitorApp.h"

#include "framework/MessageBox.h"
#include "framework/Resources.h"
#include "framework/SocketStartup.h"
#include "res/ResourceIds.h"
#include "ui/AlertSettings.h"
#include "ui/MonitorDlg.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QTimer>
#include <string>

namespace {

// Applies the command line's server and presses "Watch Server" once the dialog's loop runs.
// `scope` ends the pending press if the dialog never runs its loop.
void ApplyCommandLine(const MonitorCommandLine& commandLine, CMonitorDlg& dialog, QObject& scope)
{
    dialog.SetServer(commandLine.host, commandLine.port
                                           ? std::optional(std::to_string(*commandLine.port))
                                           : std::nullopt);
    dialog.ChooseAlerts(commandLine.alerts ? *commandLine.alerts : LoadAlertChoice());
    if (commandLine.watch) {
        // Runs inside the dialog's modal loop, after its initialisation.
        QTimer::singleShot(0, &scope, [&dialog] {
            auto* button = qobject_cast<QAbstractButton*>(dialog.GetDlgItemWidget(kWatchButtonId));
            if (button)
                button->click();
        });
    }
}

} // namespace

CMonitorApp::CMonitorApp(SocketStartup socketStartup)
    : socketStartup(socketStartup ? std::move(socketStartup) : SocketStartup(AfxSocketInit))
{}

CMonitorApp::~CMonitorApp() = default;

const MessageMap& CMonitorApp::GetMessageMap() const
{
    static const MessageRoute routes[] = {
        OnCommand<&CWinApp::OnHelp>(ID_HELP),
    };
    static const MessageMap map{routes, &CWinApp::GetMessageMap()};
    return map;
}

bool CMonitorApp::InitInstance()
{
    // Where the package puts the guide, relative to the program file.
    userGuidePath = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                    QStringLiteral("/" TALLYHAWK_USER_GUIDE_FROM_PROGRAM));

    if (!socketStartup()) {
        // Nested event loop; no window of ours exists yet.
        AfxMessageBox(AfxLoadString(kSocketsFailedTextId));
        exitCode = 1;
        return false;
    }

    CMonitorDlg dialog;
    QObject commandScope;
    mainWnd = &dialog;
    ApplyCommandLine(commandLine, dialog, commandScope);
    dialog.DoModal();
    mainWnd = nullptr;
    return false;
}
