// SPDX-License-Identifier: GPL-2.0-or-later
// A query socket talking to a scripted peer on loopback, set up the way the dialog sets it up;
// the tests read as the steps of a query. The socket takes any free local port, not the window's
// 27000, so the tests run beside a watching window or another test run.
#pragma once

#include "EventLoopWait.h"
#include "LocalPort.h"
#include "RecordingOwner.h"
#include "ScriptedUdpPeer.h"
#include "status/ReplyDatagram.h"
#include "status/StatusWireFormat.h"

#include <gtest/gtest.h>

inline constexpr long kAllEvents = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;

class QuerySocketTest : public testing::Test
{
protected:
    void SetUp() override { owner.socket = std::make_unique<CClientSocket>(&owner); }

    // Creates the owner's socket on `localPort` (0: any free one) and notes the port it got in
    // queryPort; false with the socket's error when the port cannot be had.
    bool CreateQuerySocket(unsigned localPort = 0)
    {
        if (!owner.socket->Create(localPort, SOCK_DGRAM, kAllEvents))
            return false;
        queryPort = LocalPort(owner.socket->Handle());
        return queryPort != 0;
    }

    // Create, Connect and QueueSend of the request, as one query cycle does them; stops early if
    // the owner has destroyed the socket on the way.
    void StartQuery()
    {
        ASSERT_TRUE(CreateQuerySocket()) << "error " << WSAGetLastError();
        ConnectAndSend();
    }

    // Connect and QueueSend of the request on the created socket.
    void ConnectAndSend()
    {
        const bool connected = owner.socket->Connect("127.0.0.1", peer.Port());
        if (!owner.socket) {
            // Destroyed by the owner inside Connect. Once the connect has succeeded Connect
            // still says so; destroyed before it, Connect fails with a definite error.
            if (!connected) {
                EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
            }
            return;
        }
        ASSERT_TRUE(connected);
        owner.socket->QueueSend(std::string(kStatusRequest));
    }

    // StartQuery, then lets the write readiness that follows the connect arrive (it reports
    // SE_SENT once more) and forgets the reports so far.
    void StartQueryAndSettle()
    {
        StartQuery();
        ASSERT_TRUE(RunUntil([&] { return owner.reports.size() == 4; }));
        ASSERT_EQ(owner.reports.back().code, SE_SENT);
        owner.reports.clear();
    }

    void ReplyFromPeer(const std::string& datagram) { peer.SendTo(queryPort, datagram); }

    ScriptedUdpPeer peer;
    RecordingOwner owner;
    std::uint16_t queryPort = 0; // of the latest socket CreateQuerySocket made
};
