// SPDX-License-Identifier: GPL-2.0-or-later
// Alerts: the desktop is told when chosen events of the watched server happen.
#include "ui/MonitorDlg.h"

void CMonitorDlg::OnAlerts()
{
}
