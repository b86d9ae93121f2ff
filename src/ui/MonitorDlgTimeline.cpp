// SPDX-License-Identifier: GPL-2.0-or-later
// The timeline: the team totals of the current watch drawn against time, in a window of its own.
#include "ui/MonitorDlg.h"

void CMonitorDlg::OnTimeline()
{
}
