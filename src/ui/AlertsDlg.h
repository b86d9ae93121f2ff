// SPDX-License-Identifier: GPL-2.0-or-later
// CAlertsDlg: the "Alerts" dialog (template 120), run modally by the monitor dialog: a check box
// per event and the number of players to wait for. It changes nothing itself; whoever runs it
// takes Chosen() after OK. It exists only while it runs.
#pragma once

#include "framework/Dialog.h"
#include "status/WatchEvent.h"

#include <cstdint>

class CAlertsDlg : public CDialog
{
public:
    explicit CAlertsDlg(const EventSelection& chosen, CWnd* parent = nullptr);
    ~CAlertsDlg() override;

    // The alerts as the check boxes stood at OK.
    EventSelection Chosen() const;

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    bool join = false;
    bool leave = false;
    bool players = false;
    std::int32_t playersThreshold = 8; // kMinPlayersThreshold to kMaxPlayersThreshold
    bool full = false;
    bool matchStart = false;
    bool matchEnd = false;
};
