// SPDX-License-Identifier: GPL-2.0-or-later
// CMonitorDlg: the program's main window, a modal dialog from its template. Its members hold the
// display state and are moved to and from the controls by DoDataExchange; handlers change the
// members and run the exchange. The dialog owns everything it uses, the query socket included.
// GUI thread only; handlers may be entered again while a message box of an earlier one is open.
#pragma once

#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/Gdi.h"
#include "framework/ImageList.h"
#include "framework/ListBox.h"
#include "framework/ListCtrl.h"
#include "framework/Menu.h"
#include "net/ClientSocket.h"
#include "net/HostLookup.h"
#include "net/HostResolver.h"
#include "query/RecordWriter.h"
#include "status/StandingsTotals.h"
#include "status/StatusModel.h"
#include "status/StatusWireFormat.h"
#include "status/TeamMode.h"
#include "ui/ObserveLauncher.h"
#include "ui/StandingsClipboard.h"
#include "ui/TimelineModel.h"
#include "ui/TimelineWnd.h"
#include "ui/WatchAlerts.h"

#include <QPointer>
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A dotted IPv4 literal of at most 15 characters: the host shown at start.
inline constexpr const char* kDefaultServerAddress = "127.0.0.1";
inline constexpr UINT kRefreshTimerId = 1;
inline constexpr int kMaxHostLength = 15;
inline constexpr std::int32_t kMinRefreshSeconds = 5;
inline constexpr std::int32_t kMaxRefreshSeconds = 1200;
// How long a looked-up address serves the ticks of one watch before the name is looked up again.
inline constexpr std::chrono::minutes kLookedUpAddressLifetime{5};

// A server as the person gave it in the fields: the host text and the port the query goes to.
struct WatchedServer
{
    std::string host;
    std::uint16_t port = 0;
    bool operator==(const WatchedServer&) const = default;
    // "HOST:PORT", as records, alerts and the timeline name the server.
    std::string Text() const { return host + ":" + std::to_string(port); }
};

class CMonitorDlg : public CDialog
{
public:
    CMonitorDlg();
    ~CMonitorDlg() override;

    // Fills the host and port fields before the window shows (the program's command line); a
    // field that is given nothing keeps its start value.
    void SetServer(std::optional<std::string> host, std::optional<std::string> port);
    // The alerts to tell from now on (the Alerts dialog's choice, or the command line's).
    void ChooseAlerts(const EventSelection& alerts);

    // The local UDP port of every query; tests choose 0 (any free port) so that they run beside a
    // window that is watching.
    unsigned queryLocalPort = kQueryLocalPort;
    // Looks host names up without blocking the window; tests put a stand-in here.
    std::unique_ptr<HostResolver> hostResolver = MakeSystemHostResolver();

    // The parse's dialog side: reads `text` into the status model, then ComputeTotals,
    // SortPlayersByFrags, RefreshDisplay and the countdown step; an empty text shows "Server Did
    // Not Respond" instead. Called once per SE_RECEIVED.
    void ParseStatusReply(std::string text);
    void ComputeTotals();
    void SortPlayersByFrags();
    // Rebuilds the rows, the serverinfo list (when infoRefreshCountdown is 0) and the totals
    // texts from the parsed state, then runs the exchange out, sparing what the person typed.
    // The selected player and the first row in view stay.
    void RefreshDisplay();
    // Shows no standings: the "Empty" row, blank totals, no server name and no settings.
    void ClearStandings();

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    const MessageMap& GetMessageMap() const override;

    // Handlers routed by the message map.
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HICON OnQueryDragIcon();
    void OnWatchServer();
    void OnTimer(UINT id);
    void OnAbout();
    HBRUSH OnControlColor(CDC* dc, CWnd* control, UINT kind);
    void OnChangeHost();
    void OnColorMode();
    void OnSkinMode();
    void OnStop();
    void OnKillFocusPaste();
    void OnSetFocusPaste();
    void OnObserve();
    LRESULT OnSocketEvent(WPARAM wParam, LPARAM lParam);
    void OnContextMenu(int controlId, const QPoint& globalPosition);

    // The window's own commands, chosen from the window menu or a list's context menu; false for
    // an identifier that is none of them.
    bool RunWindowCommand(UINT command);
    // Appends the copy entries and, unless `copyOnly`, the features' entries after them.
    void AppendWindowCommands(CMenu& menu, bool copyOnly = false);
    // Greys out and checks the commands' entries as the window's state is when `menu` opens.
    void UpdateWindowCommands(CMenu& menu) const;
    // Runs once after every parse of a reply that the display now shows; never for a query
    // that failed.
    void OnStandingsShown();

    // The commands, each feature in a file of its own.
    void OnCopyStandings();     // MonitorDlgShare.cpp
    void OnCopyServerAddress(); // MonitorDlgShare.cpp
    void OnAlerts();            // MonitorDlgAlerts.cpp
    WatchAlerts& Alerts();      // MonitorDlgAlerts.cpp
    void OnRecordMatch();       // MonitorDlgRecord.cpp
    bool IsRecording() const;   // MonitorDlgRecord.cpp
    void OnTimeline();          // MonitorDlgTimeline.cpp

private:
    // Tests and benchmarks reach the members below through this one class (ui/MonitorDlgSeam.h).
    friend class MonitorDlgSeam;

    // Control objects, attached to their controls by the first exchange.
    CListCtrl playerList;
    CButton observeButton;
    CButton watchButton;
    CComboBox portCombo;
    CEdit hostEdit;
    CButton stopButton;
    CListBox infoList;

    // Display state bound to controls; DoDataExchange pairs each with its control.
    std::int32_t refreshSeconds = 15;             // kMinRefreshSeconds to kMaxRefreshSeconds
    std::string hostText = kDefaultServerAddress; // at most kMaxHostLength characters
    std::string totalFragsText;
    std::string serverNameText;
    std::string team1Text;
    std::string team2Text;
    std::string team1TotalText;
    std::string team2TotalText;
    std::string portText = "27000";
    std::string timeText;
    std::string team1Label;
    std::string team2Label;
    std::string pasteText;
    std::string team3Text;
    std::string team3TotalText;
    std::string team3Label;

    std::unique_ptr<CMenu> contextMenu;  // the lists' context menu, built anew at each request
    std::unique_ptr<WatchAlerts> alerts; // made at the first use, by Alerts()
    HICON appIcon;                       // shared: never destroyed
    std::unique_ptr<CClientSocket> querySocket; // the query in progress
    // The 14 colour swatches, built at initialisation; owned here, borrowed by the player list.
    CImageList colorImages;

    // The status model as one value: players, playerCount, serverEmpty (initially set) and the
    // serverinfo table (infoKeys, infoValues, infoCount), so the reply reader is a pure
    // function over plain data.
    StatusModel status;
    StandingsTotals totals;
    std::int32_t infoRefreshCountdown = 0;    // the serverinfo list is rebuilt when it is 0
    std::array<std::int32_t, 3> savedColor{}; // team colours kept while Skin mode is shown
    std::array<std::string, 3> savedSkin;     // team skins kept while Color mode is shown
    // The mode whose entries the team fields hold; none before the start-up switch. A press on
    // the radio button of this mode switches nothing.
    std::optional<TeamMode> teamFieldsMode;
    std::string replyText;
    UINT timerId = kRefreshTimerId; // the same for the dialog's whole life
    CBrush ctlBrush; // the coloured controls' black background, replaced at every ask

    // Shows a box of a query cycle (its own messages, the parse's, its exchange's validation).
    // While one is open its nested loop still delivers ticks; they start no cycle then, so an
    // unattended window collects one box rather than one per tick. The timer runs on.
    void ShowQueryBox(const std::function<void()>& show);
    // Whether the report naming this handle identity comes from querySocket. Identities are
    // never reused, so a destroyed socket's identity matches no later one.
    bool IsQuerySocket(LPARAM handleIdentity) const;
    // Destroys the query socket and abandons a look-up of its server's name.
    void DestroyQuerySocket();
    // The rest of a query cycle once the server's address is known: connect and send.
    void ConnectAndSend(const in_addr& address);
    // The answer to the look-up the cycle of the socket `handleIdentity` started.
    void OnHostLookedUp(LPARAM handleIdentity, const HostLookupAnswer& answer);

    struct LookedUpAddress
    {
        std::string host;
        in_addr address{};
        std::chrono::steady_clock::time_point lookedUpAt;
    };

    int openQueryBoxes = 0;
    WatchedServer queryServer;                    // the server of the current query cycle
    std::optional<WatchedServer> standingsServer; // where the standings on screen came from
    bool queryAnswered = false;     // the current cycle's socket has delivered a reply
    bool hostLookupPending = false; // the current cycle waits for its server's address
    // The address of the watched host's name, kept for the following ticks of the watch while
    // its queries are answered.
    std::optional<LookedUpAddress> lookedUpAddress;
    std::vector<std::int32_t> rowUserIds; // the user id of each player row, top to bottom

    // Sharing (MonitorDlgShare.cpp): the standings as the display last showed them, the opener
    // of the Observe button (made at its first press), and the server in the host and port
    // fields as Watch Server reads them: nothing for an empty host or port 0.
    std::optional<ShownStandings> shownStandings;
    std::unique_ptr<ObserveLauncher> observeLauncher;
    std::optional<WatchedServer> ServerInFields() const;
    void KeepShownStandings(); // from OnStandingsShown
    void InstallCopyKey();     // Ctrl+C in the player list copies the standings

    // The team mode the totals are taken with: what the radio pair shows (Skin with neither on).
    TeamMode ShownTeamMode() const;

    // Recording (MonitorDlgRecord.cpp): the open record, null while not recording; appends the
    // shown standings after each reply and stops, with one box, when that fails. Tests give a
    // stand-in for the save dialog.
    std::unique_ptr<RecordWriter> recorder;
    std::chrono::system_clock::time_point recordingStarted;
    std::function<std::optional<std::string>()> chooseRecordFile;
    void RecordStandings();

    // The timeline (MonitorDlgTimeline.cpp): the watch's points, collected from the first reply
    // (a new server starts a new watch), and its window, made when first chosen as a window of
    // the dialog's widget (a modal dialog blocks other windows). The widget ends it with itself;
    // if the dialog ends first, the window still goes before the points it borrows.
    struct TimelineWindow
    {
        QPointer<CTimelineWnd> window;
        ~TimelineWindow() { delete window.data(); }
    };
    TimelineModel timelineWatch;
    TimelineWindow timelineWindow;
    void AddTimelinePoint();
};
