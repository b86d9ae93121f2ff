// The standings display: the player rows, the serverinfo list, the totals and their colours, and
// the switch between the two team modes. Filled in with the standings display.
#include "ui/MonitorDlg.h"

void CMonitorDlg::RefreshDisplay()
{}

LRESULT CMonitorDlg::OnControlColor(WPARAM, LPARAM)
{
    return 0;
}

void CMonitorDlg::OnColorMode()
{}

void CMonitorDlg::OnSkinMode()
{}
