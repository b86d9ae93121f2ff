// Handlers of the monitor dialog that the watch cycle, the standings display and the shell fill
// in; until then they leave everything as it is. The system command already gives every command
// but the About entry its default handling, so the window's own commands work.
#include "res/ResourceIds.h"
#include "ui/MonitorDlg.h"

void CMonitorDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & kSystemCommandMask) == kAboutCommand)
        return; // the About box arrives with the shell
    CDialog::OnSysCommand(id, lParam);
}

void CMonitorDlg::OnPaint()
{}

HICON CMonitorDlg::OnQueryDragIcon()
{
    return appIcon;
}

void CMonitorDlg::OnWatchServer()
{}

void CMonitorDlg::OnTimer(UINT)
{}

void CMonitorDlg::OnAbout()
{}

LRESULT CMonitorDlg::OnControlColor(WPARAM, LPARAM)
{
    return 0;
}

void CMonitorDlg::OnChangeHost()
{}

void CMonitorDlg::OnColorMode()
{}

void CMonitorDlg::OnSkinMode()
{}

void CMonitorDlg::OnStop()
{}

void CMonitorDlg::OnKillFocusPaste()
{}

void CMonitorDlg::OnSetFocusPaste()
{}

void CMonitorDlg::OnObserve()
{}

LRESULT CMonitorDlg::OnSocketEvent(WPARAM, LPARAM)
{
    return 0;
}
