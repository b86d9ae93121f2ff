// SPDX-License-Identifier: GPL-2.0-or-later
// The asynchronous socket layer on its own: when read readiness is signalled, how a selection
// replaces the previous one, and how Receive takes datagrams one at a time.
#include "net/AsyncSocket.h"

#include "EventLoopWait.h"
#include "LocalPort.h"
#include "ScriptedUdpPeer.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace {

// A datagram socket on a free loopback port that counts its read readiness and reads only when
// the test says so.
class CountingSocket : public CAsyncSocket
{
public:
    void OnReceive(int error) override
    {
        ++readSignals;
        lastError = error;
    }

    std::string ReceiveText(int bufferSize)
    {
        std::string buffer(static_cast<std::size_t>(bufferSize), '\0');
        const int received = Receive(buffer.data(), bufferSize);
        return received == SOCKET_ERROR ? "error " + std::to_string(WSAGetLastError())
                                        : buffer.substr(0, static_cast<std::size_t>(received));
    }

    int readSignals = 0;
    int lastError = 0;
};

class AsyncSocketTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(socket.Create(0, SOCK_DGRAM, FD_READ)); }

    void SendToSocket(const std::string& datagram)
    {
        peer.SendTo(LocalPort(socket.Handle()), datagram);
    }

    ScriptedUdpPeer peer;
    CountingSocket socket;
};

} // namespace

TEST_F(AsyncSocketTest, ReadIsSignalledAgainOnlyAfterAReceive)
{
    SendToSocket("first");
    SendToSocket("second");

    ASSERT_TRUE(RunUntil([&] { return socket.readSignals == 1; }));
    RunFor(std::chrono::milliseconds(100));
    EXPECT_EQ(socket.readSignals, 1) << "read readiness repeats without anyone reading";

    EXPECT_EQ(socket.ReceiveText(100), "first");
    ASSERT_TRUE(RunUntil([&] { return socket.readSignals == 2; }));
    EXPECT_EQ(socket.ReceiveText(100), "second");
    RunFor(std::chrono::milliseconds(50));
    EXPECT_EQ(socket.readSignals, 2);
    EXPECT_EQ(socket.lastError, 0);
}

TEST_F(AsyncSocketTest, NewSelectionReplacesThePreviousOne)
{
    ASSERT_TRUE(socket.AsyncSelect(FD_WRITE));
    SendToSocket("waiting");
    RunFor(std::chrono::milliseconds(100));
    EXPECT_EQ(socket.readSignals, 0);

    ASSERT_TRUE(socket.AsyncSelect(FD_READ));
    EXPECT_TRUE(RunUntil([&] { return socket.readSignals == 1; }));
}

TEST_F(AsyncSocketTest, ReceiveTakesOneDatagramAndFailsOnOneLongerThanTheBuffer)
{
    SendToSocket("12345");
    SendToSocket("1234");
    SendToSocket("");

    EXPECT_EQ(socket.ReceiveText(4), "error 10040");
    EXPECT_EQ(socket.ReceiveText(4), "1234") << "the oversize datagram must be consumed";
    EXPECT_EQ(socket.ReceiveText(4), "");
    EXPECT_EQ(socket.ReceiveText(4), "error 10035");
}

TEST(AsyncSocketClosedTest, CallsOnAClosedSocketFailWithNotASocket)
{
    CountingSocket socket;
    char byte = 0;
    EXPECT_EQ(socket.Send(&byte, 1), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    EXPECT_EQ(socket.Receive(&byte, 1), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    EXPECT_FALSE(socket.Connect("127.0.0.1", 1));
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
}

namespace {

class StreamSocket : public CAsyncSocket
{
public:
    void OnConnect(int error) override { connectErrors.push_back(error); }
    void OnReceive(int) override { ++readSignals; }
    void OnClose(int) override { ++closeSignals; }

    std::vector<int> connectErrors;
    int readSignals = 0;
    int closeSignals = 0;
};

} // namespace

TEST(AsyncStreamSocketTest, ConnectCompletesLaterAndThePeersCloseIsSignalledOnce)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 1), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);

    StreamSocket socket;
    ASSERT_TRUE(socket.Create(0, SOCK_STREAM, FD_READ | FD_CONNECT | FD_CLOSE));
    EXPECT_FALSE(socket.Connect("127.0.0.1", ntohs(address.sin_port)));
    EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);
    ASSERT_TRUE(RunUntil([&] { return !socket.connectErrors.empty(); }));
    EXPECT_EQ(socket.connectErrors, std::vector<int>{0});

    ::close(::accept(listener, nullptr, nullptr));
    ASSERT_TRUE(RunUntil([&] { return socket.closeSignals == 1; }));
    RunFor(std::chrono::milliseconds(100));
    EXPECT_EQ(socket.closeSignals, 1);
    EXPECT_EQ(socket.readSignals, 0);
    ::close(listener);
}
