// The watch cycle: the query cycle of "Watch Server" and the refresh timer, the socket's reports,
// STOP, and the host and paste fields. Filled in with the watch cycle.
#include "ui/MonitorDlg.h"

void CMonitorDlg::OnWatchServer()
{}

void CMonitorDlg::OnTimer(UINT)
{}

LRESULT CMonitorDlg::OnSocketEvent(WPARAM, LPARAM)
{
    return 0;
}

void CMonitorDlg::OnStop()
{}

void CMonitorDlg::OnChangeHost()
{}

void CMonitorDlg::OnKillFocusPaste()
{}

void CMonitorDlg::OnSetFocusPaste()
{}
