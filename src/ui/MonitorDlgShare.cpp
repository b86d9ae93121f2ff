// SPDX-License-Identifier: GPL-2.0-or-later
// Copying what the window shows: the standings and the server's address.
#include "ui/MonitorDlg.h"

void CMonitorDlg::OnCopyStandings()
{
}

void CMonitorDlg::OnCopyServerAddress()
{
}
