// SPDX-License-Identifier: GPL-2.0-or-later
// The monitor dialog's construction, data exchange, initialisation and message map.
#include "ui/MonitorDlg.h"

#include "framework/DataExchange.h"
#include "framework/ListCtrl.h"
#include "framework/Menu.h"
#include "framework/Resources.h"
#include "net/ClientSocket.h"
#include "net/SocketEvent.h"
#include "res/ResourceIds.h"

CMonitorDlg::CMonitorDlg()
    : CDialog(kMonitorDialogId, nullptr), appIcon(AfxLoadIcon(kApplicationIconId))
{}

void CMonitorDlg::SetServer(std::optional<std::string> host, std::optional<std::string> port)
{
    if (host)
        hostText = std::move(*host);
    if (port)
        portText = std::move(*port);
}

// The socket reports to this window; it goes first.
CMonitorDlg::~CMonitorDlg() = default;

void CMonitorDlg::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    ExchangeControl(dx, kPlayerListId, playerList);
    ExchangeControl(dx, kObserveButtonId, observeButton);
    ExchangeControl(dx, kWatchButtonId, watchButton);
    ExchangeControl(dx, kPortComboId, portCombo);
    ExchangeControl(dx, kHostEditId, hostEdit);
    ExchangeControl(dx, kStopButtonId, stopButton);
    ExchangeControl(dx, kInfoListId, infoList);
    ExchangeText(dx, kRefreshEditId, refreshSeconds);
    ValidateRange(dx, refreshSeconds, kMinRefreshSeconds, kMaxRefreshSeconds);
    ExchangeText(dx, kHostEditId, hostText);
    ValidateMaxChars(dx, hostText, kMaxHostLength);
    ExchangeText(dx, kTotalFragsId, totalFragsText);
    ExchangeText(dx, kServerNameId, serverNameText);
    ExchangeText(dx, kTeam1EditId, team1Text);
    ExchangeText(dx, kTeam2EditId, team2Text);
    ExchangeText(dx, kTeam1TotalId, team1TotalText);
    ExchangeText(dx, kTeam2TotalId, team2TotalText);
    ExchangeComboText(dx, kPortComboId, portText);
    ExchangeText(dx, kTimeId, timeText);
    ExchangeText(dx, kTeam1LabelId, team1Label);
    ExchangeText(dx, kTeam2LabelId, team2Label);
    ExchangeText(dx, kPasteEditId, pasteText);
    ExchangeText(dx, kTeam3EditId, team3Text);
    ExchangeText(dx, kTeam3TotalId, team3TotalText);
    ExchangeText(dx, kTeam3LabelId, team3Label);
}

bool CMonitorDlg::OnInitDialog()
{
    // Fills the port list and loads the members: the controls attach, the host edit gets its
    // limit and the port combo selects "27000". Its result is not looked at.
    CDialog::OnInitDialog();

    std::string aboutText = AfxLoadString(kAboutMenuTextId);
    if (!aboutText.empty()) {
        CMenu* systemMenu = GetSystemMenu(false);
        systemMenu->AppendMenu(MF_SEPARATOR);
        systemMenu->AppendMenu(MF_STRING, kAboutCommand, aboutText);
        AppendWindowCommands(*systemMenu);
        systemMenu->SetBeforeShow([this, systemMenu] { UpdateWindowCommands(*systemMenu); });
    }

    SetIcon(appIcon, true);
    SetIcon(appIcon, false);

    // The standings display's start-up steps: Skin mode (its switch always runs here, for the
    // labels and the saved colour numbers), the colour swatches, the player list's columns.
    CheckRadioButton(kColorRadioId, kSkinRadioId, kSkinRadioId);
    OnSkinMode();
    // Cells 16 pixels wide, drawn opaque. Without the strip the rows show no swatches and
    // nothing is reported.
    colorImages.Create(kSwatchStripId, 16);
    playerList.InsertColumn(0, "Player", LVCFMT_LEFT, 100, 0);
    playerList.InsertColumn(1, "Frags", LVCFMT_LEFT, 50, 1);
    playerList.InsertColumn(2, "Ping", LVCFMT_LEFT, 50, 2);
    playerList.InsertColumn(3, "Skin", LVCFMT_LEFT, 50, 3);
    playerList.SetImageList(&colorImages, LVSIL_SMALL);
    playerList.SetImageList(&colorImages, LVSIL_STATE);

    observeButton.SetIcon(AfxLoadIcon(kApplicationIconId));
    InstallCopyKey();
    return true;
}

const MessageMap& CMonitorDlg::GetMessageMap() const
{
    static const MessageRoute routes[] = {
        OnMessage<&CMonitorDlg::OnSysCommand>(WM_SYSCOMMAND),
        OnMessage<&CMonitorDlg::OnPaint>(WM_PAINT),
        OnMessage<&CMonitorDlg::OnQueryDragIcon>(WM_QUERYDRAGICON),
        OnNotify<&CMonitorDlg::OnWatchServer>(BN_CLICKED, kWatchButtonId),
        OnMessage<&CMonitorDlg::OnTimer>(WM_TIMER),
        OnNotify<&CMonitorDlg::OnAbout>(BN_CLICKED, kAboutButtonId),
        OnMessage<&CMonitorDlg::OnControlColor>(WM_CTLCOLOR),
        OnNotify<&CMonitorDlg::OnChangeHost>(EN_CHANGE, kHostEditId),
        OnNotify<&CMonitorDlg::OnColorMode>(BN_CLICKED, kColorRadioId),
        OnNotify<&CMonitorDlg::OnSkinMode>(BN_CLICKED, kSkinRadioId),
        OnNotify<&CMonitorDlg::OnStop>(BN_CLICKED, kStopButtonId),
        OnNotify<&CMonitorDlg::OnKillFocusPaste>(EN_KILLFOCUS, kPasteEditId),
        OnNotify<&CMonitorDlg::OnSetFocusPaste>(EN_SETFOCUS, kPasteEditId),
        OnNotify<&CMonitorDlg::OnObserve>(BN_CLICKED, kObserveButtonId),
        OnMessage<&CMonitorDlg::OnSocketEvent>(WM_SOCKET_EVENT),
        OnMessage<&CMonitorDlg::OnContextMenu>(WM_CONTEXTMENU),
    };
    static const MessageMap map{routes, &CDialog::GetMessageMap()};
    return map;
}
