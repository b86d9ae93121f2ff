// SPDX-License-Identifier: GPL-2.0-or-later
// The Alerts dialog: its check boxes and number exchanged with an event selection.
#include "ui/AlertsDlg.h"

#include "res/ResourceIds.h"

CAlertsDlg::CAlertsDlg(const EventSelection& chosen, CWnd* parent)
    : CDialog(kAlertsDialogId, parent), join(chosen.Has(WatchEventKind::Join)),
      leave(chosen.Has(WatchEventKind::Leave)), players(chosen.Has(WatchEventKind::Players)),
      playersThreshold(chosen.PlayersThreshold().value_or(8)),
      full(chosen.Has(WatchEventKind::Full)), matchStart(chosen.Has(WatchEventKind::MatchStart)),
      matchEnd(chosen.Has(WatchEventKind::MatchEnd))
{}

CAlertsDlg::~CAlertsDlg() = default;

void CAlertsDlg::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    ExchangeCheck(dx, kAlertJoinCheckId, join);
    ExchangeCheck(dx, kAlertLeaveCheckId, leave);
    ExchangeCheck(dx, kAlertPlayersCheckId, players);
    ExchangeText(dx, kAlertPlayersEditId, playersThreshold);
    ValidateRange(dx, playersThreshold, kMinPlayersThreshold, kMaxPlayersThreshold);
    ExchangeCheck(dx, kAlertFullCheckId, full);
    ExchangeCheck(dx, kAlertMatchStartCheckId, matchStart);
    ExchangeCheck(dx, kAlertMatchEndCheckId, matchEnd);
}

EventSelection CAlertsDlg::Chosen() const
{
    EventSelection chosen;
    const std::pair<bool, WatchEventKind> boxes[] = {
        {join, WatchEventKind::Join},         {leave, WatchEventKind::Leave},
        {full, WatchEventKind::Full},         {matchStart, WatchEventKind::MatchStart},
        {matchEnd, WatchEventKind::MatchEnd},
    };
    for (const auto& [on, kind] : boxes)
        if (on)
            chosen.Add(kind);
    if (players)
        chosen.SetPlayersThreshold(playersThreshold);
    return chosen;
}
