// SPDX-License-Identifier: GPL-2.0-or-later
// CAboutDlg: the About box, run modally over the main window by the monitor
// dialog. It binds nothing; OK, Escape and the close box end it. It exists only while it runs.
#pragma once

#include "framework/Dialog.h"

class CAboutDlg : public CDialog
{
public:
    CAboutDlg();
    ~CAboutDlg() override;

protected:
    void DoDataExchange(CDataExchange& dx) override;
};
