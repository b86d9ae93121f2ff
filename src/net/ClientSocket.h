// SPDX-License-Identifier: GPL-2.0-or-later
// The query socket: one short-lived UDP socket per status query. It sends the request, collects
// the one reply that comes back in receivedText and reports each step to its owner window as a
// WM_SOCKET_EVENT (net/SocketEvent.h), synchronously. Of the reply it reads only what joining
// its datagrams needs (status/ReplyDatagram.h).
//
// How the owner uses it:
//   querySocket = new CClientSocket(this);
//   if (!querySocket->Create(kQueryLocalPort, SOCK_DGRAM, allSixEvents)) ... // no report
//   if (!querySocket->Connect(host, port)) ...           // reports SE_CONNECTING,
//   querySocket->QueueSend(std::string(kStatusRequest)); //   SE_CONNECTED, then SE_SENT
//   ... SE_RECEIVED: copy receivedText; SE_WAITING; SE_ERROR; SE_CLOSED ...
// A socket takes one reply: the owner gets SE_RECEIVED and SE_WAITING once, when the reply has
// ended, and the socket then closes its handle, so a duplicated datagram, a second answer or a
// flood is never read into it. The owner deletes the socket when the next query starts, on
// SE_CLOSED, when connecting failed and when it is destroyed itself; the socket must not outlive
// its owner. The owner may delete the socket while handling any report, also from a nested
// event loop (a message box): the reporting handler then stops at once (see
// NotifyOwnerAndSurvive).
#pragma once

#include "net/AsyncSocket.h"
#include "net/SocketEvent.h"
#include "platform/WindowMessage.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QTimer;

// The query's progress, with the values the owner's reports and tests name.
enum class ConnectionState : std::int32_t
{
    NotConnected = 0,
    Connecting = 1,
    Connected = 2,
};

class CClientSocket : public CAsyncSocket
{
public:
    // Creates no handle; Create does.
    explicit CClientSocket(CMessageTarget* ownerDialog);
    ~CClientSocket() override;

    void OnReceive(int error) override;
    void OnSend(int error) override;
    void OnConnect(int error) override;
    void OnClose(int error) override;

    // Makes `text` the whole send buffer and sends it at once (OnSend).
    void QueueSend(std::string text);

    // The reply ends when AppendReplyDatagram calls the text complete, when the quiet period
    // after a datagram that may be followed by more passes with nothing further
    // (ReplyQuietPeriod), at a read error, or at the deadline with some text collected.
    bool ReplyEnded() const { return replyEnded; }

    // From `wait` on, the socket waits no longer: a reply begun by then ends with what came, and
    // a socket that got nothing closes its handle without a report. Without a deadline it waits
    // until it is destroyed.
    void SetReplyDeadline(std::chrono::milliseconds wait);

    // Sends one report: WM_SOCKET_EVENT with wParam = MAKELONG(code, error), both cut to 16
    // bits, and lParam = HandleIdentity(). Returns after the owner has handled it; a null owner
    // drops it.
    virtual void NotifyOwner(UINT code, UINT error);

    CMessageTarget* ownerDialog; // not owned; receives every report
    ConnectionState connectionState = ConnectionState::NotConnected;
    std::string sendBuffer = "\r\n"; // the bytes still to send; QueueSend replaces it
    // The reply's datagrams so far, appended by AppendReplyDatagram (status/ReplyDatagram.h):
    // each up to its first zero byte, later ones without their print header, at most
    // kMaxReplyTextBytes.
    std::string receivedText;

protected:
    // The connect step: reports SE_CONNECTING, selects FD_CONNECT only and connects; a datagram
    // connect completes at once and runs OnConnect(0) before returning true.
    bool ConnectHelper(const sockaddr* address, int length) override;

private:
    // Reports, then tells whether this socket still exists: the owner may have destroyed it
    // while handling the report. Nothing may touch the object after a false.
    [[nodiscard]] bool NotifyOwnerAndSurvive(UINT code, UINT error);

    // Reads nothing more, and waits for nothing more.
    void StopReading();
    // Ends the reply: reports SE_RECEIVED and SE_WAITING once, then closes the handle.
    void EndReply();
    void CloseAfterReply();
    void ReachDeadline();

    bool replyEnded = false;
    std::optional<std::chrono::steady_clock::time_point> requestSentAt;
    std::optional<std::chrono::microseconds> quietPeriod; // set by the first datagram
    std::unique_ptr<QTimer> quietTimer;
    std::unique_ptr<QTimer> deadlineTimer;
};
