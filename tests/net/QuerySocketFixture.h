// A query socket on local port 27000 talking to a scripted peer on loopback, set up the way the
// dialog sets it up; the tests read as the steps of a query.
#pragma once

#include "EventLoopWait.h"
#include "RecordingOwner.h"
#include "ScriptedUdpPeer.h"
#include "status/ReplyDatagram.h"
#include "status/StatusWireFormat.h"

#include <gtest/gtest.h>

inline constexpr unsigned kQueryPort = kQueryLocalPort;
inline constexpr long kAllEvents = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;

class QuerySocketTest : public testing::Test
{
protected:
    void SetUp() override { owner.socket = std::make_unique<CClientSocket>(&owner); }

    // Create, Connect and QueueSend of the request, as one query cycle does them; stops early if
    // the owner has destroyed the socket on the way.
    void StartQuery()
    {
        ASSERT_TRUE(owner.socket->Create(kQueryPort, SOCK_DGRAM, kAllEvents))
            << "local port 27000 is taken: error " << WSAGetLastError();
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

    void ReplyFromPeer(const std::string& datagram) { peer.SendTo(kQueryPort, datagram); }

    ScriptedUdpPeer peer;
    RecordingOwner owner;
};
