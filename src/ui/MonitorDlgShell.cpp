// The shell's handlers of the monitor dialog: the system command, the minimised icon, the drag
// icon, the About box and the observe notice. The system command already gives every command but
// the About entry its default handling, so the window's own commands work.
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

void CMonitorDlg::OnAbout()
{}

void CMonitorDlg::OnObserve()
{}
