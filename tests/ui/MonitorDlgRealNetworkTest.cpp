// SPDX-License-Identifier: GPL-2.0-or-later
// The window on a real network and before a hurried person: duplicated and repeated answers, a
// flood, oversize datagrams, another server's standings, a resolver that takes its time, typing
// while a reply is on its way, and the person's place in the player list.
#include "ScriptedUdpPeer.h"
#include "SocketActivityCounter.h"
#include "WatchCycleFixture.h"
#include "status/StatusWireFormat.h"

#include <QKeyEvent>
#include <arpa/inet.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using testing::ElementsAre;

namespace {

struct PlayerLine
{
    int userId;
    int frags;
};

// A reply in one datagram: the hostname (none when empty), then a line per player.
std::string Reply(const std::string& hostname, const std::vector<PlayerLine>& players)
{
    std::string text = std::string(kPrintHeader) + "\\maxclients\\32";
    if (!hostname.empty())
        text += "\\hostname\\" + hostname;
    text += "\n";
    for (const PlayerLine& player : players) {
        text += std::to_string(player.userId) + " " + std::to_string(player.frags) +
                " 5 40 \"player" + std::to_string(player.userId) + "\" \"red\" 4 4\n";
    }
    return text;
}

// Players 1 to count, the first with the most frags.
std::vector<PlayerLine> Players(int count)
{
    std::vector<PlayerLine> players;
    for (int userId = 1; userId <= count; ++userId)
        players.push_back({userId, 10 * (count - userId + 1)});
    return players;
}

in_addr Loopback()
{
    in_addr address{};
    address.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

class RealNetwork : public WatchCycle
{
protected:
    void WatchPeer() { WatchServer("127.0.0.1", peer.Port()); }

    std::vector<std::string> RowNames()
    {
        std::vector<std::string> names;
        for (int row = 0; row < Seam(dialog).playerList.GetItemCount(); ++row)
            names.push_back(Seam(dialog).playerList.GetItemText(row, 0));
        return names;
    }

    std::vector<std::string> Totals()
    {
        return {ControlText(dialog, kTotalFragsId), ControlText(dialog, kTeam1TotalId),
                ControlText(dialog, kTeam2TotalId), ControlText(dialog, kTeam3TotalId),
                ControlText(dialog, kTimeId)};
    }

    ScriptedUdpPeer peer;
};

TEST_F(RealNetwork, RepeatedAnswersToOneQueryShowOneReply)
{
    const std::string reply = Reply("Arena", Players(2));
    struct Case
    {
        const char* name;
        std::vector<std::string> datagrams;
    };
    const Case cases[] = {{"duplicated datagram", {reply, reply}},
                          {"three replies", {reply, reply, reply}}};
    for (const Case& answer : cases) {
        SCOPED_TRACE(answer.name);
        peer.ReplyWith(answer.datagrams);
        const long shown = RepliesShown();
        if (shown == 0)
            WatchPeer();
        else
            Tick();
        ASSERT_TRUE(WaitForReplies(static_cast<int>(shown) + 1));
        RunFor(100ms);
        EXPECT_EQ(RepliesShown(), shown + 1);
        EXPECT_THAT(RowNames(), ElementsAre("player1", "player2"));
        EXPECT_EQ(Seam(dialog).totals.totalFrags, 30);
        EXPECT_EQ(ControlText(dialog, kTotalFragsId), "30");
    }
}

// Both cycles query from the same local port, as the window does from 27000: the first reply,
// on its way when the second cycle starts, reaches the second socket, and so does the second.
TEST_F(RealNetwork, WatchingAgainWhileAReplyIsOnItsWayShowsOneReply)
{
    dialog.queryLocalPort = UnusedUdpPort();
    peer.ReplyWith({Reply("Arena", Players(2))});
    peer.DelayReplies(300ms);
    WatchPeer();
    PressButton(dialog, kStopButtonId);
    PressButton(dialog, kWatchButtonId);
    ASSERT_TRUE(RunUntil([&] { return peer.Received().size() == 2; }));
    ASSERT_TRUE(WaitForReplies(1));
    RunFor(500ms);
    EXPECT_EQ(RepliesShown(), 1);
    EXPECT_THAT(RowNames(), ElementsAre("player1", "player2"));
    EXPECT_EQ(Seam(dialog).totals.totalFrags, 30);
}

TEST_F(RealNetwork, OversizeDatagramsGiveOneBoxPerQuery)
{
    const std::string oversize(5000, 'x');
    peer.ReplyWith({oversize, oversize, oversize, oversize});
    WatchPeer();
    ASSERT_TRUE(RunUntil([&] { return !boxes.Records().empty(); }));
    RunFor(200ms);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Server Did Not Respond"});
    Tick();
    ASSERT_TRUE(RunUntil([&] { return boxes.Records().size() == 2; }));
    RunFor(200ms);
    EXPECT_EQ(boxes.Records().size(), 2u);
}

TEST_F(RealNetwork, FloodAfterTheReplyWakesNothingWatchingOrStopped)
{
    const std::string reply = Reply("Arena", Players(2));
    peer.ReplyWith({reply});
    WatchPeer();
    ASSERT_TRUE(WaitForReplies(1));
    const std::uint16_t windowPort = peer.Received().front().fromPort;
    for (const bool stopped : {false, true}) {
        SCOPED_TRACE(stopped ? "stopped" : "watching");
        if (stopped)
            PressButton(dialog, kStopButtonId);
        SocketActivityCounter activity;
        for (int sent = 0; sent < 2000; ++sent)
            peer.SendTo(windowPort, reply);
        RunFor(200ms);
        EXPECT_EQ(activity.count, 0);
        EXPECT_EQ(RepliesShown(), 1);
    }
}

TEST_F(RealNetwork, StoppedWindowWaitsForALateReplyNoLongerThanTheRefreshTime)
{
    TypeText(dialog, kRefreshEditId, "5");
    WatchPeer(); // the peer never answers
    PressButton(dialog, kStopButtonId);
    ASSERT_NE(Seam(dialog).querySocket, nullptr);
    EXPECT_NE(Seam(dialog).querySocket->Handle(), INVALID_SOCKET);
    EXPECT_TRUE(RunUntil([&] { return Seam(dialog).querySocket->Handle() == INVALID_SOCKET; }, 7s));
    EXPECT_TRUE(boxes.Records().empty());
    EXPECT_EQ(dialog.GetWindowText(), kSending);
}

TEST_F(RealNetwork, AnotherServersStandingsAreClearedWhenItsCycleStarts)
{
    peer.ReplyWith({Reply("Arena", Players(2))});
    WatchPeer();
    ASSERT_TRUE(WaitForReplies(1));
    PressButton(dialog, kStopButtonId);

    // The same server again: what it showed stays until its next reply.
    peer.ReplyWith({});
    WatchPeer();
    EXPECT_THAT(RowNames(), ElementsAre("player1", "player2"));
    EXPECT_EQ(ControlText(dialog, kServerNameId), "Arena");
    PressButton(dialog, kStopButtonId);

    // Another port: nothing of the first server stays under the new address.
    ScriptedUdpPeer other;
    WatchServer("127.0.0.1", other.Port());
    EXPECT_THAT(RowNames(), ElementsAre("Empty"));
    EXPECT_EQ(Totals(), std::vector<std::string>(5, ""));
    EXPECT_EQ(ControlText(dialog, kServerNameId), "");
    EXPECT_EQ(Seam(dialog).infoList.GetCount(), 0);
    EXPECT_EQ(Seam(dialog).status.playerCount, 0);

    // Its reply names no host: no name is shown, rather than the first server's.
    other.ReplyWith({Reply("", Players(1))});
    Tick();
    ASSERT_TRUE(WaitForReplies(2));
    EXPECT_THAT(RowNames(), ElementsAre("player1"));
    EXPECT_EQ(ControlText(dialog, kServerNameId), "");
    EXPECT_GT(Seam(dialog).infoList.GetCount(), 0);
}

TEST_F(RealNetwork, SlowNameLookupHoldsNothingUpAndTheNextTickOrStopAbandonsIt)
{
    StandInResolver& resolver = UseStandInResolver();
    peer.ReplyWith({Reply("Arena", Players(2))});
    WatchServer("slow.example", peer.Port());
    EXPECT_TRUE(resolver.Waiting());
    EXPECT_TRUE(captions.empty());
    EXPECT_EQ(Controls(), kWatchingLook);
    EXPECT_TRUE(boxes.Records().empty());

    Tick();
    EXPECT_EQ(resolver.abandoned, 1);
    EXPECT_TRUE(resolver.Waiting());
    PressButton(dialog, kStopButtonId);
    EXPECT_EQ(resolver.abandoned, 2);
    EXPECT_EQ(Seam(dialog).querySocket, nullptr);
    EXPECT_TRUE(peer.Received().empty());
    EXPECT_TRUE(boxes.Records().empty());

    // Its answer goes on with the cycle; the address serves the ticks while they are answered.
    PressButton(dialog, kWatchButtonId);
    resolver.Answer({Loopback(), ""});
    ASSERT_TRUE(WaitForReplies(1));
    Tick();
    ASSERT_TRUE(WaitForReplies(2));
    EXPECT_EQ(resolver.asked.size(), 3u);
    EXPECT_EQ(peer.Received().size(), 2u);

    // An unanswered query has the name looked up again at the next tick.
    peer.ReplyWith({});
    Tick();
    ASSERT_TRUE(RunUntil([&] { return peer.Received().size() == 3; }));
    Tick();
    EXPECT_EQ(resolver.asked, std::vector<std::string>(4, "slow.example"));
    EXPECT_TRUE(resolver.Waiting());
}

TEST_F(RealNetwork, TypingWhileAReplyIsOnItsWayIsKept)
{
    peer.ReplyWith({Reply("Arena", Players(2))});
    peer.DelayReplies(300ms);
    WatchPeer();
    TypeText(dialog, kTeam1EditId, "abc");
    TypeText(dialog, kRefreshEditId, "30");
    ASSERT_TRUE(WaitForReplies(1));
    EXPECT_EQ(ControlText(dialog, kTeam1EditId), "abc");
    EXPECT_EQ(ControlText(dialog, kRefreshEditId), "30");
    EXPECT_EQ(ControlText(dialog, kTotalFragsId), "30"); // the reply is shown all the same

    // The next cycle reads the typing as usual.
    Tick();
    EXPECT_EQ(Seam(dialog).team1Text, "abc");
    EXPECT_EQ(Seam(dialog).refreshSeconds, 30);
}

TEST_F(RealNetwork, SelectedPlayerAndScrollPositionSurviveARefresh)
{
    peer.ReplyWith({Reply("Arena", Players(20))});
    WatchPeer();
    ASSERT_TRUE(WaitForReplies(1));
    // As a person does it: into the list, to the last row, then one up, to the 19th player.
    Item(kPlayerListId)->setFocus(Qt::TabFocusReason);
    PressKey(dialog, kPlayerListId, Qt::Key_End);
    PressKey(dialog, kPlayerListId, Qt::Key_Up);
    ASSERT_EQ(Seam(dialog).playerList.GetSelectedItem(), 18);
    const int topRow = Seam(dialog).playerList.GetTopIndex();
    ASSERT_GT(topRow, 0);

    Tick();
    ASSERT_TRUE(WaitForReplies(2));
    EXPECT_EQ(Seam(dialog).playerList.GetSelectedItem(), 18);
    EXPECT_EQ(Seam(dialog).playerList.GetTopIndex(), topRow);

    // The selection follows the player, not the row; a player who left takes it along.
    std::vector<PlayerLine> reordered = Players(20);
    reordered[18].frags = 1000;
    peer.ReplyWith({Reply("Arena", reordered)});
    Tick();
    ASSERT_TRUE(WaitForReplies(3));
    EXPECT_EQ(Seam(dialog).playerList.GetSelectedItem(), 0);
    EXPECT_EQ(Seam(dialog).playerList.GetItemText(0, 0), "player19");
    EXPECT_EQ(Seam(dialog).playerList.GetTopIndex(), topRow);

    peer.ReplyWith({Reply("Arena", Players(10))});
    Tick();
    ASSERT_TRUE(WaitForReplies(4));
    EXPECT_EQ(Seam(dialog).playerList.GetSelectedItem(), -1);
}

} // namespace
