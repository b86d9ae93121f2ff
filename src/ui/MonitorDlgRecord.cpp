// SPDX-License-Identifier: GPL-2.0-or-later
// Recording a match: every reply the window shows, appended to a file.
#include "ui/MonitorDlg.h"

void CMonitorDlg::OnRecordMatch()
{
}

bool CMonitorDlg::IsRecording() const
{
    return false;
}
