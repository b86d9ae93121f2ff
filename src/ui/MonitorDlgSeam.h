// SPDX-License-Identifier: GPL-2.0-or-later
// The one way in to the monitor dialog's own state, for tests and benchmarks: a reference to each
// member, under the dialog's names. The program itself never uses it; its screenshot tool does.
#pragma once

#include "ui/MonitorDlg.h"

class MonitorDlgSeam
{
public:
    explicit MonitorDlgSeam(CMonitorDlg& dialog)
        : playerList(dialog.playerList), observeButton(dialog.observeButton),
          watchButton(dialog.watchButton), portCombo(dialog.portCombo), hostEdit(dialog.hostEdit),
          stopButton(dialog.stopButton), infoList(dialog.infoList),
          refreshSeconds(dialog.refreshSeconds), hostText(dialog.hostText),
          totalFragsText(dialog.totalFragsText), serverNameText(dialog.serverNameText),
          team1Text(dialog.team1Text), team2Text(dialog.team2Text),
          team1TotalText(dialog.team1TotalText), team2TotalText(dialog.team2TotalText),
          portText(dialog.portText), timeText(dialog.timeText), team1Label(dialog.team1Label),
          team2Label(dialog.team2Label), pasteText(dialog.pasteText), team3Text(dialog.team3Text),
          team3TotalText(dialog.team3TotalText), team3Label(dialog.team3Label),
          appIcon(dialog.appIcon), querySocket(dialog.querySocket), colorImages(dialog.colorImages),
          status(dialog.status), totals(dialog.totals),
          infoRefreshCountdown(dialog.infoRefreshCountdown), savedColor(dialog.savedColor),
          savedSkin(dialog.savedSkin), replyText(dialog.replyText), timerId(dialog.timerId),
          standingsServer(dialog.standingsServer), contextMenu(dialog.contextMenu),
          chooseRecordFile(dialog.chooseRecordFile), timelineWindow(dialog.timelineWindow.window),
          alerts(dialog.alerts)
    {}

    CListCtrl& playerList;
    CButton& observeButton;
    CButton& watchButton;
    CComboBox& portCombo;
    CEdit& hostEdit;
    CButton& stopButton;
    CListBox& infoList;
    std::int32_t& refreshSeconds;
    std::string& hostText;
    std::string& totalFragsText;
    std::string& serverNameText;
    std::string& team1Text;
    std::string& team2Text;
    std::string& team1TotalText;
    std::string& team2TotalText;
    std::string& portText;
    std::string& timeText;
    std::string& team1Label;
    std::string& team2Label;
    std::string& pasteText;
    std::string& team3Text;
    std::string& team3TotalText;
    std::string& team3Label;
    HICON& appIcon;
    std::unique_ptr<CClientSocket>& querySocket;
    CImageList& colorImages;
    StatusModel& status;
    StandingsTotals& totals;
    std::int32_t& infoRefreshCountdown;
    std::array<std::int32_t, 3>& savedColor;
    std::array<std::string, 3>& savedSkin;
    std::string& replyText;
    UINT& timerId;
    std::optional<WatchedServer>& standingsServer;
    std::unique_ptr<CMenu>& contextMenu;
    std::function<std::optional<std::string>()>& chooseRecordFile;
    QPointer<CTimelineWnd>& timelineWindow;
    std::unique_ptr<WatchAlerts>& alerts;
};

// Reads as the dialog's own member access: Seam(dialog).status.
inline MonitorDlgSeam Seam(CMonitorDlg& dialog)
{
    return MonitorDlgSeam(dialog);
}
