// SPDX-License-Identifier: GPL-2.0-or-later
// Alerts: the desktop is told when chosen events of the watched server happen.
#include "res/ResourceIds.h"
#include "ui/AlertSettings.h"
#include "ui/AlertsDlg.h"
#include "ui/MonitorDlg.h"

#include <QApplication>

WatchAlerts& CMonitorDlg::Alerts()
{
    if (!alerts)
        alerts = std::make_unique<WatchAlerts>(std::make_unique<DesktopNotifier>([this] {
            if (QWidget* window = GetSafeHwnd())
                QApplication::alert(window);
        }));
    return *alerts;
}

void CMonitorDlg::ChooseAlerts(const EventSelection& chosen)
{
    Alerts().Choose(chosen);
}

void CMonitorDlg::OnAlerts()
{
    CAlertsDlg dialog(Alerts().Chosen(), this);
    // Nested event loop: the watch cycle goes on behind the dialog, alerts included.
    if (dialog.DoModal() != IDOK)
        return;
    ChooseAlerts(dialog.Chosen());
    SaveAlertChoice(dialog.Chosen());
}
