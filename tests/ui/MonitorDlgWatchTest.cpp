// SPDX-License-Identifier: GPL-2.0-or-later
// The watch cycle as the person at the window sees it: captions, boxes, the enabled controls and
// the timer, against qw-demo-server and a scripted UDP peer on loopback.
#include "ScriptedUdpPeer.h"
#include "StatusTestSupport.h" // PrintTo(PlayerEntry)
#include "WatchCycleFixture.h"
#include "status/StatusWireFormat.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <utility>

using namespace std::chrono_literals;
using testing::ElementsAre;

namespace {

// Watches a demo server started with these arguments until its reply has come, then stops.
class WatchDemoServer : public WatchCycle
{
protected:
    std::vector<PlayerEntry> PlayersFrom(const std::vector<std::string>& serverArguments)
    {
        DemoServerRunner server(serverArguments);
        EXPECT_NE(server.Port(), 0u);
        const auto replies = std::ranges::count(captions, kWaiting);
        WatchServer("127.0.0.1", server.Port());
        EXPECT_TRUE(WaitForReplies(static_cast<int>(replies) + 1));
        PressButton(dialog, kStopButtonId);
        const StatusModel& status = Seam(dialog).status;
        return {status.players.begin(), status.players.begin() + status.playerCount};
    }
};

} // namespace

TEST_F(WatchCycle, ReplyIsReadIntoStandingsInBothTeamModes)
{
    DemoServerRunner server({"--speed", "0", "--players", "6", "--teams", "3"});
    ASSERT_NE(server.Port(), 0u);
    TypeText(dialog, kTeam1EditId, "red");
    TypeText(dialog, kTeam2EditId, "blue");
    TypeText(dialog, kTeam3EditId, "gold");
    WatchServer("127.0.0.1", server.Port());
    ASSERT_THAT(boxes.Texts(), testing::IsEmpty()); // another program may hold port 27000

    // The connect and the send complete within the press.
    EXPECT_THAT(captions, ElementsAre(kConnecting, kConnected, kSending));
    EXPECT_EQ(Controls(), kWatchingLook);
    ASSERT_TRUE(WaitForReplies(1));
    EXPECT_THAT(std::vector(captions.end() - 2, captions.end()), ElementsAre(kReceiving, kWaiting));
    EXPECT_TRUE(boxes.Records().empty());
    EXPECT_EQ(Seam(dialog).replyText, Seam(dialog).querySocket->receivedText);

    const StatusModel& status = Seam(dialog).status;
    ASSERT_EQ(status.playerCount, 6);
    EXPECT_FALSE(status.serverEmpty);
    EXPECT_GT(status.serverInfo.infoCount, 0);
    std::int32_t frags = 0;
    for (int row = 0; row < status.playerCount; ++row) {
        frags += status.players[row].frags;
        EXPECT_NE(status.players[row].userId, 0);
        if (row > 0) {
            EXPECT_GE(status.players[row - 1].frags, status.players[row].frags);
        }
    }
    // Every demo player is on one team, told apart alike by skin and by bottom colour.
    const StandingsTotals bySkin = Seam(dialog).totals;
    EXPECT_EQ(bySkin.totalFrags, frags);
    EXPECT_EQ(bySkin.teamTotal[0] + bySkin.teamTotal[1] + bySkin.teamTotal[2], frags);
    EXPECT_GT(bySkin.longestMinutes, 0);

    dialog.CheckRadioButton(kColorRadioId, kSkinRadioId, kColorRadioId);
    TypeText(dialog, kTeam1EditId, "4");
    TypeText(dialog, kTeam2EditId, "13");
    TypeText(dialog, kTeam3EditId, "12");
    Tick();
    ASSERT_TRUE(WaitForReplies(2));
    EXPECT_EQ(Seam(dialog).totals, bySkin);
    EXPECT_TRUE(TimerWasRunning());
}

TEST_F(WatchCycle, RequestLeavesLocalPort27000ByDefaultForTheLow16BitsOfThePort)
{
    CMonitorDlg asStarted;
    ASSERT_EQ(asStarted.queryLocalPort, kQueryLocalPort);
    dialog.queryLocalPort = kQueryLocalPort;
    ScriptedUdpPeer peer;
    WatchServer("127.0.0.1", 65536 + peer.Port());
    if (boxes.Texts() == std::vector<std::string>{"THIS IS VERY WEIRD. CREATE SOCKET FAILED"})
        GTEST_SKIP() << "another program holds UDP port " << kQueryLocalPort;
    ASSERT_THAT(boxes.Texts(), testing::IsEmpty());
    ASSERT_TRUE(RunUntil([&] { return peer.Received().size() == 1; }));
    EXPECT_EQ(peer.Received()[0].bytes, kStatusRequest);
    EXPECT_EQ(peer.Received()[0].fromPort, kQueryLocalPort);
}

TEST_F(WatchCycle, RefreshBelowFiveChangesNothing)
{
    ScriptedUdpPeer peer;
    TypeText(dialog, kRefreshEditId, "4");
    WatchServer("127.0.0.1", peer.Port());
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"Please enter an integer between 5 and 1200."});
    EXPECT_EQ(Controls(), kStartLook);
    EXPECT_EQ(Seam(dialog).querySocket, nullptr);
    EXPECT_TRUE(captions.empty());
    EXPECT_FALSE(TimerWasRunning());
}

// A refused value above 1200 stands and the press goes on with it. Its period in milliseconds
// must not wrap round: 4294968 s would come out as a tick every 704 ms.
TEST_F(WatchCycle, RefreshAboveTheRangeStillRunsTheCycleWithoutWrappingItsPeriod)
{
    ScriptedUdpPeer peer;
    EnterServer("127.0.0.1", peer.Port());
    ASSERT_TRUE(dialog.UpdateData(Direction::Save));
    TypeText(dialog, kRefreshEditId, "4294968");
    PressButton(dialog, kWatchButtonId);
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"Please enter an integer between 5 and 1200."});
    EXPECT_EQ(Seam(dialog).refreshSeconds, 4294968);
    EXPECT_EQ(Controls(), kWatchingLook);
    RunFor(1500ms);
    EXPECT_EQ(peer.Received().size(), 1u);
    EXPECT_TRUE(TimerWasRunning());
}

TEST_F(WatchCycle, EmptyHostAsksForOneOnEveryTickUntilOneIsEntered)
{
    ScriptedUdpPeer peer;
    WatchServer("", peer.Port());
    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].text, "I Can't Go There! Enter somewhere!");
    EXPECT_EQ(boxes.Records()[0].icon, MessageBoxIcon::None);
    EXPECT_EQ(boxes.Records()[0].caption, AfxGetAppName());
    EXPECT_EQ(Controls(), kStoppedLook);
    EXPECT_EQ(Seam(dialog).querySocket, nullptr);

    Tick();
    EXPECT_EQ(boxes.Records().size(), 2u);
    SetControlText(dialog, kHostEditId, "127.0.0.1");
    Tick();
    EXPECT_EQ(Controls(), kWatchingLook);
    EXPECT_TRUE(RunUntil([&] { return peer.Received().size() == 1; }));
    EXPECT_EQ(boxes.Records().size(), 2u);
    EXPECT_TRUE(TimerWasRunning());
}

TEST_F(WatchCycle, SocketThatCannotBeMadeOrConnectedIsReportedAndTheTimerRetries)
{
    StandInResolver& resolver = UseStandInResolver();
    struct Case
    {
        const char* name;
        const char* host;
        bool holdLocalPort;
    };
    for (const Case& failure : {Case{"local port taken", "127.0.0.1", true},
                                Case{"host does not resolve", "nohost.invalid", false}}) {
        SCOPED_TRACE(failure.name);
        const std::size_t boxesBefore = boxes.Records().size();
        captions.clear();
        PortHolder holder;
        ASSERT_TRUE(holder.bound);
        dialog.queryLocalPort = failure.holdLocalPort ? holder.port : 0;
        WatchServer(failure.host, kDefaultServerPort);
        if (!failure.holdLocalPort)
            resolver.Answer(HostLookupAnswer{std::nullopt, "Name or service not known"});
        ASSERT_EQ(boxes.Records().size(), boxesBefore + 1);
        EXPECT_EQ(boxes.Records().back().text, failure.holdLocalPort
                                                   ? "THIS IS VERY WEIRD. CREATE SOCKET FAILED"
                                                   : "Failed on Connection Phase");
        EXPECT_EQ(boxes.Records().back().icon, MessageBoxIcon::Exclamation);
        EXPECT_TRUE(captions.empty());
        EXPECT_EQ(Seam(dialog).querySocket, nullptr);
        EXPECT_EQ(Controls(), kWatchingLook);
        EXPECT_TRUE(TimerWasRunning());
        PressButton(dialog, kStopButtonId);
    }
}

TEST_F(WatchCycle, SilentServerLeavesSendingUntilTheNextTickReplacesTheSocket)
{
    ASSERT_NO_FATAL_FAILURE(WatchSilentServer());
    const LPARAM first = SocketIdentity();
    RunFor(200ms);
    EXPECT_EQ(dialog.GetWindowText(), kSending);
    Tick();
    EXPECT_NE(SocketIdentity(), 0);
    EXPECT_NE(SocketIdentity(), first);
    EXPECT_EQ(dialog.GetWindowText(), kSending);
    EXPECT_TRUE(boxes.Records().empty());
}

TEST_F(WatchCycle, ReportNamingAReplacedSocketIsIgnored)
{
    ASSERT_NO_FATAL_FAILURE(WatchSilentServer());
    const LPARAM replaced = SocketIdentity();
    Tick();
    const LPARAM current = SocketIdentity();
    for (UINT code : {SE_CLOSED, SE_RECEIVED, SE_WAITING})
        dialog.SendMessage(WM_SOCKET_EVENT, MAKELONG(code, 0), replaced);
    EXPECT_EQ(SocketIdentity(), current);
    EXPECT_EQ(dialog.GetWindowText(), kSending);
    EXPECT_TRUE(boxes.Records().empty());
}

// A datagram connect completes at once, so the failed-connect report is sent by hand here, as
// the socket sends it for a connect that failed under way.
TEST_F(WatchCycle, FailedConnectReportDestroysOnlyTheSocketThatReported)
{
    ASSERT_NO_FATAL_FAILURE(WatchSilentServer());
    const auto reportConnectFailed = [this](LPARAM identity) {
        dialog.SendMessage(WM_SOCKET_EVENT, MAKELONG(SE_CONNECTED, WSAECONNREFUSED), identity);
    };

    // A cycle started while the box is open replaces the socket: that one stays.
    boxes.KeepOpenFor(50ms);
    bool pressed = false;
    boxes.OnOpen([this, &pressed](const MessageBoxRecord&) {
        if (!std::exchange(pressed, true)) {
            QTimer::singleShot(0, [this] {
                dialog.SendMessage(WM_COMMAND, MAKELONG(kWatchButtonId, BN_CLICKED), 0);
            });
        }
    });
    const LPARAM failed = SocketIdentity();
    reportConnectFailed(failed);
    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].text, "No Connection to 127.0.0.1");
    EXPECT_EQ(boxes.Records()[0].icon, MessageBoxIcon::Exclamation);
    const LPARAM replacement = SocketIdentity();
    EXPECT_NE(replacement, 0);
    EXPECT_NE(replacement, failed);
    EXPECT_EQ(dialog.GetWindowText(), kSending);

    reportConnectFailed(replacement);
    EXPECT_EQ(boxes.Records().size(), 2u);
    EXPECT_EQ(Seam(dialog).querySocket, nullptr);
    EXPECT_EQ(dialog.GetWindowText(), "Tallyhawk");
    EXPECT_EQ(Controls(), kWatchingLook);
    EXPECT_TRUE(TimerWasRunning());
}

TEST_F(WatchCycle, EmptyDatagramDisconnectsAndDestroysTheSocket)
{
    DemoServerRunner server({"--scenario", "empty-datagram"});
    ASSERT_NE(server.Port(), 0u);
    WatchServer("127.0.0.1", server.Port());
    ASSERT_TRUE(RunUntil([&] { return dialog.GetWindowText() == kDisconnected; }));
    EXPECT_EQ(Seam(dialog).querySocket, nullptr);
    EXPECT_TRUE(boxes.Records().empty());
    EXPECT_EQ(Controls(), kWatchingLook);
}

TEST_F(WatchCycle, ReadErrorTellsTheServerDidNotRespondAndKeepsTheSocket)
{
    DemoServerRunner server({"--scenario", "oversize"});
    ASSERT_NE(server.Port(), 0u);
    WatchServer("127.0.0.1", server.Port());
    ASSERT_TRUE(WaitForReplies(1));
    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].text, "Server Did Not Respond");
    EXPECT_EQ(boxes.Records()[0].icon, MessageBoxIcon::Exclamation);
    EXPECT_EQ(dialog.GetWindowText(), kWaiting);
    EXPECT_NE(Seam(dialog).querySocket, nullptr);
    EXPECT_TRUE(Seam(dialog).status.serverEmpty);
}

TEST_F(WatchCycle, StopLeavesAReplyOnItsWayToBeShown)
{
    DemoServerRunner server({"--speed", "0", "--players", "5"});
    ASSERT_NE(server.Port(), 0u);
    WatchServer("127.0.0.1", server.Port());
    Seam(dialog).infoRefreshCountdown = 7;
    PressButton(dialog, kStopButtonId);
    EXPECT_EQ(Controls(), kStoppedLook);
    EXPECT_EQ(Seam(dialog).infoRefreshCountdown, 0);
    ASSERT_TRUE(WaitForReplies(1));
    EXPECT_EQ(Seam(dialog).status.playerCount, 5);
    EXPECT_EQ(Seam(dialog).infoRefreshCountdown, 11);
    EXPECT_FALSE(TimerWasRunning());
}

// While a box of a query cycle is open, its loop still delivers ticks: none of them may start
// another cycle (and box). Another box, here the test's own, does not hold the watch up.
TEST_F(WatchCycle, TicksDuringACyclesBoxStartNoCycle)
{
    ScriptedUdpPeer peer;
    peer.ReplyWith({std::string(kMaxDatagramBytes + 1, 'x')}); // a read error: nothing collected
    boxes.KeepOpenFor(150ms);
    boxes.OnOpen([this](const MessageBoxRecord&) {
        for (auto delay : {0ms, 50ms, 100ms})
            QTimer::singleShot(delay, [this] { Tick(); });
    });
    WatchServer("127.0.0.1", peer.Port());
    ASSERT_TRUE(WaitForReplies(1));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Server Did Not Respond"});
    EXPECT_EQ(peer.Received().size(), 1u);

    // The validation message of a tick's own exchange counts as the cycle's box too.
    TypeText(dialog, kRefreshEditId, "abc");
    Tick();
    ASSERT_EQ(boxes.Records().size(), 2u);
    EXPECT_EQ(boxes.Records()[1].text, "Please enter an integer.");
    EXPECT_EQ(boxes.MaxOpenAtOnce(), 1);
    // The cycle went on after its box, with the refresh time it had.
    EXPECT_TRUE(RunUntil([&] { return peer.Received().size() == 2; }));

    TypeText(dialog, kRefreshEditId, "15");
    ASSERT_TRUE(RunUntil([&] { return boxes.Records().size() == 3; })); // that reply's box
    AfxMessageBox("not a box of the watch");
    EXPECT_TRUE(RunUntil([&] { return peer.Received().size() == 3; }));
}

// A cycle started from inside the parse's box destroys the socket whose report is being handled;
// nothing may touch it afterwards (ASan), and the new socket carries on.
TEST_F(WatchCycle, CycleStartedDuringTheParsesBoxReplacesTheReportingSocket)
{
    ScriptedUdpPeer peer;
    peer.ReplyWith({std::string(kMaxDatagramBytes + 1, 'x')});
    boxes.KeepOpenFor(100ms);
    bool pressed = false;
    boxes.OnOpen([this, &pressed](const MessageBoxRecord&) {
        if (std::exchange(pressed, true))
            return;
        QTimer::singleShot(
            0, [this] { dialog.SendMessage(WM_COMMAND, MAKELONG(kWatchButtonId, BN_CLICKED), 0); });
    });
    WatchServer("127.0.0.1", peer.Port());
    const LPARAM first = SocketIdentity();
    ASSERT_TRUE(
        RunUntil([&] { return boxes.Records().size() == 2 && boxes.MaxOpenAtOnce() == 2; }));
    ASSERT_TRUE(WaitForReplies(1));
    EXPECT_EQ(peer.Received().size(), 2u);
    // The new socket has had its own reply (and closed, done with it).
    EXPECT_NE(SocketIdentity(), first);
    ASSERT_NE(Seam(dialog).querySocket, nullptr);
    EXPECT_TRUE(Seam(dialog).querySocket->ReplyEnded());
    RunFor(100ms);
    EXPECT_EQ(dialog.GetWindowText(), kWaiting); // the new socket's; the old one's was dropped
}

TEST_F(WatchDemoServer, RepliesThatTakeSeveralDatagramsGiveEveryPlayer)
{
    // The same frozen match in one datagram, and cut in two inside a player line.
    const std::vector<PlayerEntry> whole = PlayersFrom({"--speed", "0"});
    ASSERT_EQ(whole.size(), 8u);
    EXPECT_EQ(PlayersFrom({"--speed", "0", "--scenario", "split"}), whole);

    // 32 players with long names: two datagrams, split where a current server splits them.
    const std::vector<PlayerEntry> full = PlayersFrom({"--speed", "0", "--scenario", "full"});
    ASSERT_EQ(full.size(), 32u);
    for (const PlayerEntry& player : full) {
        EXPECT_GE(player.userId, 1) << player.name;
        EXPECT_THAT(player.skin, testing::AnyOf("red", "blue")) << player.name;
    }
}

TEST_F(WatchCycle, TimerRunsTheNextCycleAfterTheRefreshTime)
{
    ScriptedUdpPeer peer;
    TypeText(dialog, kRefreshEditId, "5");
    QElapsedTimer elapsed;
    elapsed.start();
    WatchServer("127.0.0.1", peer.Port());
    ASSERT_TRUE(RunUntil([&] { return peer.Received().size() == 2; }, 8s));
    EXPECT_GE(elapsed.elapsed(), 4500);
}

TEST_F(WatchCycle, PasteWhileWatchingChangesTheServerOfTheNextTick)
{
    ScriptedUdpPeer first;
    ScriptedUdpPeer second;
    WatchServer("127.0.0.1", first.Port());
    Item(kPasteEditId)->setFocus();
    TypeText(dialog, kPasteEditId, "srv  ab127.0.0.1 " + std::to_string(second.Port()) + " x");
    Item(kRefreshEditId)->setFocus();
    EXPECT_EQ(ControlText(dialog, kPortComboId), std::to_string(second.Port()));
    Tick();
    EXPECT_TRUE(RunUntil([&] { return second.Received().size() == 1; }));
    EXPECT_EQ(first.Received().size(), 1u);
}
