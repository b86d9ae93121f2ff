// SPDX-License-Identifier: GPL-2.0-or-later
// A UDP peer on 127.0.0.1 for socket tests and benchmarks: it records every datagram that
// arrives and answers each with the datagrams of its script. It reads from the calling thread's
// Qt event loop, so a test waits for it with RunUntil. Binary-safe: datagrams may hold zeros.
#pragma once

#include <QSocketNotifier>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ScriptedUdpPeer
{
public:
    struct Datagram
    {
        std::string bytes;
        std::uint16_t fromPort = 0;
    };

    // Binds an unused loopback port.
    ScriptedUdpPeer();
    ~ScriptedUdpPeer();

    ScriptedUdpPeer(const ScriptedUdpPeer&) = delete;
    ScriptedUdpPeer& operator=(const ScriptedUdpPeer&) = delete;

    std::uint16_t Port() const { return port; }

    // The answer to every datagram from now on, sent back to its sender in this order.
    void ReplyWith(std::vector<std::string> datagrams) { script = std::move(datagrams); }
    // Answers that long after each datagram (from the event loop), as a distant server would.
    void DelayReplies(std::chrono::milliseconds delay) { replyDelay = delay; }

    // Sends one datagram from this peer to 127.0.0.1:toPort.
    void SendTo(std::uint16_t toPort, const std::string& bytes) const;

    const std::vector<Datagram>& Received() const { return received; }

private:
    void ReadAll();

    int handle = -1;
    std::uint16_t port = 0;
    std::vector<std::string> script;
    std::chrono::milliseconds replyDelay{0};
    std::vector<Datagram> received;
    std::unique_ptr<QSocketNotifier> notifier;
};

// A loopback UDP port on which nobody listens: bound for a moment, then released.
std::uint16_t UnusedUdpPort();
