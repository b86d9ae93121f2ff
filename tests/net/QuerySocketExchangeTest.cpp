// SPDX-License-Identifier: GPL-2.0-or-later
// The query socket's exchange with a peer on loopback: the reports and their order, the bytes on
// the wire, how reply datagrams build up the text, and the failures a query can meet.
#include "QuerySocketFixture.h"
#include "SocketActivityCounter.h"

#include <arpa/inet.h>
#include <gmock/gmock.h>
#include <unistd.h>

using testing::ElementsAre;
using testing::ElementsAreArray;

// Failure messages show the state as its number rather than as raw bytes.
static void PrintTo(ConnectionState state, std::ostream* out)
{
    *out << static_cast<int>(state);
}

namespace {

// A query socket whose next `blockedSends` sends fail as if the socket's buffer were full.
class BlockingSocket : public CClientSocket
{
public:
    using CClientSocket::CClientSocket;

    int Send(const void* buffer, int length, int flags) override
    {
        ++sendCalls;
        if (blockedSends > 0) {
            --blockedSends;
            WSASetLastError(WSAEWOULDBLOCK);
            AwaitWriteRoom();
            return SOCKET_ERROR;
        }
        return CClientSocket::Send(buffer, length, flags);
    }

    int blockedSends = 0;
    int sendCalls = 0;
};

std::uint16_t UnusedTcpPort()
{
    const int handle = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(handle, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(handle, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(handle);
    return ntohs(address.sin_port);
}

} // namespace

TEST_F(QuerySocketTest, QueryReportsConnectAndSendInsideTheCallsAndSendsTheRequestFromItsPort)
{
    StartQuery();

    EXPECT_THAT(owner.Steps(),
                ElementsAre(Step{SE_CONNECTING, 0}, Step{SE_CONNECTED, 0}, Step{SE_SENT, 0}));
    for (const Report& report : owner.reports)
        EXPECT_EQ(report.handle, owner.socket->HandleIdentity());
    EXPECT_EQ(owner.socket->connectionState, ConnectionState::Connected);
    EXPECT_EQ(owner.socket->sendBuffer, "");
    ASSERT_TRUE(RunUntil([&] { return !peer.Received().empty(); }));
    EXPECT_EQ(peer.Received()[0].bytes, std::string("\xff\xff\xff\xffstatus\n", 11));
    EXPECT_EQ(peer.Received()[0].fromPort, queryPort);
}

// The window's own port: another program on the machine (a watching window) may hold it.
TEST_F(QuerySocketTest, RequestLeavesFromTheWindowsLocalPort27000WhenAskedFor)
{
    if (!CreateQuerySocket(kQueryLocalPort)) {
        ASSERT_EQ(WSAGetLastError(), WSAEADDRINUSE);
        GTEST_SKIP() << "another program holds UDP port " << kQueryLocalPort;
    }
    ConnectAndSend();
    ASSERT_TRUE(RunUntil([&] { return !peer.Received().empty(); }));
    EXPECT_EQ(peer.Received()[0].bytes, kStatusRequest);
    EXPECT_EQ(peer.Received()[0].fromPort, kQueryLocalPort);
}

TEST_F(QuerySocketTest, LaterWriteReadinessReportsSentOnceSendsNothingAndTheOpenSocketIdles)
{
    StartQuery();

    ASSERT_TRUE(RunUntil([&] { return owner.reports.size() == 4; }));
    EXPECT_EQ(owner.Steps().back(), (Step{SE_SENT, 0}));
    SocketActivityCounter activity;
    RunFor(std::chrono::milliseconds(200));
    EXPECT_EQ(owner.reports.size(), 4u);
    EXPECT_EQ(peer.Received().size(), 1u);
    EXPECT_EQ(activity.count, 0) << "a notifier fires while the socket sits idle";
}

TEST_F(QuerySocketTest, ReplyAlreadyWaitingComesAfterTheConnectionsWriteReadiness)
{
    StartQuery();
    // On loopback the datagram is queued before SendTo returns, so read and write readiness
    // are both there at the first wake-up.
    ReplyFromPeer(std::string(kPrintHeader) + "\\hostname\\x\n");

    ASSERT_TRUE(RunUntil([&] { return owner.Has(SE_WAITING); }));
    EXPECT_THAT(owner.Steps(),
                ElementsAre(Step{SE_CONNECTING, 0}, Step{SE_CONNECTED, 0}, Step{SE_SENT, 0},
                            Step{SE_SENT, 0}, Step{SE_RECEIVED, 0}, Step{SE_WAITING, 0}));
}

struct ReplyCase
{
    const char* name;
    std::vector<std::string> datagrams;
    std::vector<Report> expected; // code, error, handle (unchecked), text at the report
};

class QuerySocketReplyTest : public QuerySocketTest, public testing::WithParamInterface<ReplyCase>
{};

TEST_P(QuerySocketReplyTest, ReportsAndCollectsTheReply)
{
    const ReplyCase& reply = GetParam();
    StartQueryAndSettle();

    for (const std::string& datagram : reply.datagrams)
        ReplyFromPeer(datagram);
    ASSERT_TRUE(RunUntil([&] { return owner.reports.size() >= reply.expected.size(); }));
    RunFor(std::chrono::milliseconds(50));

    ASSERT_EQ(owner.reports.size(), reply.expected.size());
    for (std::size_t i = 0; i < reply.expected.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "report " << i);
        EXPECT_EQ(owner.reports[i].code, reply.expected[i].code);
        EXPECT_EQ(owner.reports[i].error, reply.expected[i].error);
        EXPECT_EQ(owner.reports[i].text, reply.expected[i].text);
    }
}

const std::string kFull(kMaxDatagramBytes, 'f');
const std::string kHeader(kPrintHeader);

const std::string kArena = kHeader + "\\hostname\\Arena\n1 2 3 4 \"a\" \"b\" 4 4\n";
const std::string kOversize(kMaxDatagramBytes + 1, 'x');

// A reply ends at a datagram that completes it, after a quiet period that follows a datagram
// which may be followed by more, or at a read error; it is reported once, and nothing that
// comes after it is read.
INSTANTIATE_TEST_SUITE_P(
    Replies, QuerySocketReplyTest,
    testing::Values(
        ReplyCase{"OneDatagram",
                  {"\\hostname\\Arena\n"},
                  {{SE_RECEIVED, 0, 0, "\\hostname\\Arena\n"},
                   {SE_WAITING, 0, 0, "\\hostname\\Arena\n"}}},
        ReplyCase{"DatagramOf4096BytesArrivesWhole",
                  {kFull},
                  {{SE_RECEIVED, 0, 0, kFull}, {SE_WAITING, 0, 0, kFull}}},
        ReplyCase{"DatagramOf4097BytesIsAnErrorThatEndsTheReplyWithItsText",
                  {"head", kOversize, "tail\n"},
                  {{SE_ERROR, WSAEMSGSIZE, 0, "head"},
                   {SE_RECEIVED, 0, 0, "head"},
                   {SE_WAITING, 0, 0, "head"}}},
        ReplyCase{
            "OversizeFloodIsOneError",
            {kOversize, kOversize, kOversize, kOversize},
            {{SE_ERROR, WSAEMSGSIZE, 0, ""}, {SE_RECEIVED, 0, 0, ""}, {SE_WAITING, 0, 0, ""}}},
        ReplyCase{"ZeroByteCutsItsDatagram",
                  {std::string("abc\0def", 7), "ghi"},
                  {{SE_RECEIVED, 0, 0, "abcghi"}, {SE_WAITING, 0, 0, "abcghi"}}},
        ReplyCase{"DatagramsThatMayContinueAccumulateInOrder",
                  {"one", "two"},
                  {{SE_RECEIVED, 0, 0, "onetwo"}, {SE_WAITING, 0, 0, "onetwo"}}},
        ReplyCase{"SplitReplyIsOneTextWithoutTheSecondHeader",
                  {kHeader + "\\map\\dm3\n1 2 3 4 \"na", kHeader + "me\" \"\" 0 0\n"},
                  {{SE_RECEIVED, 0, 0, kHeader + "\\map\\dm3\n1 2 3 4 \"name\" \"\" 0 0\n"},
                   {SE_WAITING, 0, 0, kHeader + "\\map\\dm3\n1 2 3 4 \"name\" \"\" 0 0\n"}}},
        ReplyCase{"DuplicatedDatagramIsReadOnce",
                  {kArena, kArena},
                  {{SE_RECEIVED, 0, 0, kArena}, {SE_WAITING, 0, 0, kArena}}},
        ReplyCase{"SecondReplyIsNotAddedToTheFirst",
                  {kArena, kArena, kHeader + "\\hostname\\Other\n"},
                  {{SE_RECEIVED, 0, 0, kArena}, {SE_WAITING, 0, 0, kArena}}},
        ReplyCase{"EmptyDatagramReportsClosedOnly", {""}, {{SE_CLOSED, 0, 0, ""}}}),
    [](const testing::TestParamInfo<ReplyCase>& info) { return std::string(info.param.name); });

TEST_F(QuerySocketTest, TextStopsAtTheReplyCapAndEndsTheReply)
{
    StartQueryAndSettle();
    const std::size_t datagrams = kMaxReplyTextBytes / kFull.size() + 1;
    for (std::size_t sent = 0; sent < datagrams; ++sent)
        ReplyFromPeer(kFull);
    ASSERT_TRUE(RunUntil([&] { return owner.Has(SE_WAITING); }));
    RunFor(std::chrono::milliseconds(100));
    EXPECT_THAT(owner.Steps(), ElementsAre(Step{SE_RECEIVED, 0}, Step{SE_WAITING, 0}));
    EXPECT_EQ(owner.socket->receivedText.size(), kMaxReplyTextBytes);
}

// Once its reply has ended the socket has closed its handle: a flood from the server reaches
// nothing, and the local port is free again.
TEST_F(QuerySocketTest, SocketClosesAfterItsReplySoAFloodWakesNothing)
{
    StartQueryAndSettle();
    ReplyFromPeer(kArena);
    ASSERT_TRUE(RunUntil([&] { return owner.Has(SE_WAITING); }));
    EXPECT_TRUE(owner.socket->ReplyEnded());
    EXPECT_EQ(owner.socket->Handle(), INVALID_SOCKET);
    EXPECT_EQ(owner.socket->connectionState, ConnectionState::NotConnected);

    SocketActivityCounter activity;
    for (int sent = 0; sent < 500; ++sent)
        ReplyFromPeer(kArena);
    RunFor(std::chrono::milliseconds(100));
    EXPECT_EQ(activity.count, 0);
    EXPECT_EQ(owner.reports.size(), 2u);
    EXPECT_EQ(owner.socket->receivedText, kArena);
}

TEST_F(QuerySocketTest, DeadlineClosesASocketThatGotNothingWithoutAReport)
{
    StartQueryAndSettle();
    owner.socket->SetReplyDeadline(std::chrono::milliseconds(30));
    ASSERT_TRUE(RunUntil([&] { return owner.socket->Handle() == INVALID_SOCKET; }));
    EXPECT_TRUE(owner.reports.empty());
    ReplyFromPeer(kArena);
    RunFor(std::chrono::milliseconds(50));
    EXPECT_TRUE(owner.reports.empty());
}

TEST_F(QuerySocketTest, EmptyDatagramLeavesTheSocketNotConnected)
{
    StartQueryAndSettle();
    ReplyFromPeer("");
    ASSERT_TRUE(RunUntil([&] { return owner.Has(SE_CLOSED); }));
    EXPECT_EQ(owner.socket->connectionState, ConnectionState::NotConnected);
}

TEST_F(QuerySocketTest, SendThatWouldBlockIsSentWholeOnTheNextWriteReadiness)
{
    auto socket = std::make_unique<BlockingSocket>(&owner);
    BlockingSocket& blocking = *socket;
    owner.socket = std::move(socket);
    // The first blocked send is the request itself; the second is its retry on the write
    // readiness that follows the connect. Only the room awaited after it lets the request go.
    blocking.blockedSends = 2;

    StartQuery();
    EXPECT_THAT(owner.Steps(), ElementsAre(Step{SE_CONNECTING, 0}, Step{SE_CONNECTED, 0}));
    EXPECT_EQ(blocking.sendBuffer, kStatusRequest);

    ASSERT_TRUE(RunUntil([&] { return owner.Has(SE_SENT); }));
    RunFor(std::chrono::milliseconds(100));
    EXPECT_THAT(owner.Steps(),
                ElementsAre(Step{SE_CONNECTING, 0}, Step{SE_CONNECTED, 0}, Step{SE_SENT, 0}));
    EXPECT_EQ(blocking.sendCalls, 3);
    ASSERT_EQ(peer.Received().size(), 1u);
    EXPECT_EQ(peer.Received()[0].bytes, kStatusRequest);
}

TEST_F(QuerySocketTest, NobodyListeningReportsConnectionReset)
{
    ASSERT_TRUE(CreateQuerySocket());
    ASSERT_TRUE(owner.socket->Connect("127.0.0.1", UnusedUdpPort()));
    owner.socket->QueueSend(std::string(kStatusRequest));

    ASSERT_TRUE(RunUntil([&] { return owner.Has(SE_WAITING); }));
    std::vector<Step> steps = owner.Steps();
    std::erase(steps, Step{SE_SENT, 0}); // the send itself and the later write readiness
    EXPECT_THAT(steps, ElementsAre(Step{SE_CONNECTING, 0}, Step{SE_CONNECTED, 0},
                                   Step{SE_ERROR, WSAECONNRESET}, Step{SE_RECEIVED, 0},
                                   Step{SE_WAITING, 0}));
    EXPECT_EQ(owner.socket->receivedText, "");
}

TEST_F(QuerySocketTest, HostThatDoesNotResolveGivesNoReport)
{
    ASSERT_TRUE(CreateQuerySocket());
    for (const char* host : {"no-such-host.invalid", ""}) {
        SCOPED_TRACE(host);
        EXPECT_FALSE(owner.socket->Connect(host, peer.Port()));
        EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
    }
    EXPECT_TRUE(owner.reports.empty());
    EXPECT_EQ(owner.socket->connectionState, ConnectionState::NotConnected);
}

TEST_F(QuerySocketTest, SecondSocketOnTheSamePortFailsUntilTheFirstIsDestroyed)
{
    ASSERT_TRUE(CreateQuerySocket());
    CClientSocket second(&owner);

    EXPECT_FALSE(second.Create(queryPort, SOCK_DGRAM, kAllEvents));
    EXPECT_EQ(WSAGetLastError(), WSAEADDRINUSE);
    EXPECT_EQ(second.Handle(), INVALID_SOCKET);

    owner.socket.reset();
    EXPECT_TRUE(second.Create(queryPort, SOCK_DGRAM, kAllEvents));
    EXPECT_EQ(LocalPort(second.Handle()), queryPort);
    EXPECT_TRUE(owner.reports.empty());
}

TEST_F(QuerySocketTest, RefusedStreamConnectReportsConnectedWithTheError)
{
    // Only a stream connect is ever under way; it shows how a late connect outcome is reported.
    ASSERT_TRUE(owner.socket->Create(0, SOCK_STREAM, kAllEvents));
    EXPECT_TRUE(owner.socket->Connect("127.0.0.1", UnusedTcpPort()));
    EXPECT_EQ(owner.socket->connectionState, ConnectionState::Connecting);

    ASSERT_TRUE(RunUntil([&] { return owner.Has(SE_CONNECTED); }));
    EXPECT_THAT(owner.Steps(),
                ElementsAre(Step{SE_CONNECTING, 0}, Step{SE_CONNECTED, WSAECONNREFUSED}));
    EXPECT_EQ(owner.socket->connectionState, ConnectionState::NotConnected);
}

TEST(QuerySocketWithoutOwnerTest, ExchangeRunsTheSameAndDropsTheReports)
{
    ScriptedUdpPeer peer;
    peer.ReplyWith({"reply"});
    CClientSocket socket(nullptr);
    ASSERT_TRUE(socket.Create(0, SOCK_DGRAM, kAllEvents));
    ASSERT_TRUE(socket.Connect("127.0.0.1", peer.Port()));
    socket.QueueSend(std::string(kStatusRequest));

    EXPECT_TRUE(RunUntil([&] { return socket.receivedText == "reply"; }));
    EXPECT_EQ(peer.Received().size(), 1u);
}
