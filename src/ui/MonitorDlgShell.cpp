// SPDX-License-Identifier: GPL-2.0-or-later
// The shell's handlers of the monitor dialog: the system command, the minimised icon, the drag
// icon and the About box.
#include "framework/PaintDC.h"
#include "res/ResourceIds.h"
#include "ui/AboutDlg.h"
#include "ui/MonitorDlg.h"

namespace {

void RunAboutBox()
{
    CAboutDlg about;
    // Nested event loop: the refresh timer and socket events of the monitor dialog go on being
    // handled while the box is open, so watching continues behind it.
    about.DoModal();
}

} // namespace

void CMonitorDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    if (RunWindowCommand(id & kSystemCommandMask))
        return;
    CDialog::OnSysCommand(id, lParam);
}

void CMonitorDlg::OnPaint()
{
    if (!IsIconic())
        return; // the default painting: the window's own background and its controls
    CPaintDC dc(*this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(&dc), 0);
    int iconWidth = GetSystemMetrics(SM_CXICON);
    int iconHeight = GetSystemMetrics(SM_CYICON);
    QRect client = GetClientRect();
    int x = (client.width() - iconWidth + 1) / 2;
    int y = (client.height() - iconHeight + 1) / 2;
    dc.DrawIcon(x, y, appIcon);
}

HICON CMonitorDlg::OnQueryDragIcon()
{
    return appIcon;
}

void CMonitorDlg::OnAbout()
{
    RunAboutBox();
}
