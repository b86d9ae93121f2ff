// SPDX-License-Identifier: GPL-2.0-or-later
// The parse's dialog side: a received text becomes the dialog's status model, totals and order,
// then the display, with the status core doing the reading.
#include "framework/MessageBox.h"
#include "res/ResourceIds.h"
#include "status/Standings.h"
#include "status/StatusReplyReader.h"
#include "ui/MonitorDlg.h"

void CMonitorDlg::ParseStatusReply(std::string text)
{
    // Reading starts from an empty model, so after an empty text the counts read 0 while the
    // display keeps the previous reply.
    ReadStatusReply(text, status);
    if (text.empty()) {
        // Nested loop: ticks and socket reports run meanwhile; this parse does nothing more.
        ShowQueryBox([] { AfxMessageBox("Server Did Not Respond"); });
        return;
    }
    ComputeTotals();
    SortPlayersByFrags();
    RefreshDisplay();
    // Paces the serverinfo list: rebuilt by the display on the first reply after a reset and on
    // every twelfth after it.
    if (infoRefreshCountdown == 0)
        infoRefreshCountdown = 12;
    --infoRefreshCountdown;
    OnStandingsShown();
}

// The team mode is what the radio pair shows at the moment the totals are taken; with neither
// on, the start-up mode, Skin.
TeamMode CMonitorDlg::ShownTeamMode() const
{
    return GetCheckedRadioButton(kColorRadioId, kSkinRadioId) == kColorRadioId ? TeamMode::Color
                                                                               : TeamMode::Skin;
}

void CMonitorDlg::ComputeTotals()
{
    totals = ComputeStandingsTotals(status, ShownTeamMode(), {team1Text, team2Text, team3Text});
}

void CMonitorDlg::SortPlayersByFrags()
{
    OrderPlayersByFrags(status);
}
