// SPDX-License-Identifier: GPL-2.0-or-later
// The About box: the template does it all; the base dialog's OK and cancel paths end it.
#include "ui/AboutDlg.h"

#include "res/ResourceIds.h"

CAboutDlg::CAboutDlg() : CDialog(kAboutDialogId, nullptr)
{}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
}
