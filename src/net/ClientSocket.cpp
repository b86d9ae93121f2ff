// SPDX-License-Identifier: GPL-2.0-or-later
// CClientSocket: the query's steps and the reports they send. Every report may destroy this
// object (the owner deletes the socket, maybe from a nested event loop), so a handler that has
// more to do after a report checks NotifyOwnerAndSurvive first.
#include "net/ClientSocket.h"

#include "status/ReplyDatagram.h"

#include <QTimer>
#include <algorithm>
#include <climits>
#include <functional>

using Clock = std::chrono::steady_clock;

namespace {

std::unique_ptr<QTimer> SingleShotTimer(std::function<void()> onTimeout)
{
    auto timer = std::make_unique<QTimer>();
    timer->setSingleShot(true);
    // The quiet period is a few milliseconds; a coarse timer would stretch it by as much again.
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer.get(), &QTimer::timeout, std::move(onTimeout));
    return timer;
}

} // namespace

CClientSocket::CClientSocket(CMessageTarget* ownerDialog)
    : ownerDialog(ownerDialog), quietTimer(SingleShotTimer([this] { EndReply(); })),
      deadlineTimer(SingleShotTimer([this] { ReachDeadline(); }))
{}

CClientSocket::~CClientSocket() = default;

void CClientSocket::NotifyOwner(UINT code, UINT error)
{
    if (ownerDialog == nullptr)
        return;
    const WPARAM wParam =
        MAKELONG(static_cast<std::uint16_t>(code), static_cast<std::uint16_t>(error));
    ownerDialog->SendMessage(WM_SOCKET_EVENT, wParam, static_cast<LPARAM>(HandleIdentity()));
}

bool CClientSocket::NotifyOwnerAndSurvive(UINT code, UINT error)
{
    const std::weak_ptr<const void> alive = LifetimeToken();
    NotifyOwner(code, error);
    return !alive.expired();
}

bool CClientSocket::ConnectHelper(const sockaddr* address, int length)
{
    connectionState = ConnectionState::Connecting;
    if (!NotifyOwnerAndSurvive(SE_CONNECTING, 0)) {
        WSASetLastError(WSAENOTSOCK); // the owner has destroyed the socket meanwhile
        return false;
    }
    AsyncSelect(FD_CONNECT);
    if (CAsyncSocket::ConnectHelper(address, length)) {
        OnConnect(0);
        return true;
    }
    return WSAGetLastError() == WSAEWOULDBLOCK;
}

void CClientSocket::OnConnect(int error)
{
    if (error != 0) {
        connectionState = ConnectionState::NotConnected;
        NotifyOwner(SE_CONNECTED, static_cast<UINT>(error));
        return;
    }
    connectionState = ConnectionState::Connected;
    if (!NotifyOwnerAndSurvive(SE_CONNECTED, 0))
        return;
    AsyncSelect(FD_READ | FD_WRITE | FD_CLOSE);
}

void CClientSocket::QueueSend(std::string text)
{
    sendBuffer = std::move(text);
    OnSend(0);
}

void CClientSocket::OnSend(int)
{
    if (sendBuffer.empty()) {
        NotifyOwner(SE_SENT, 0);
        return;
    }
    const int length = static_cast<int>(std::min<std::size_t>(sendBuffer.size(), INT_MAX));
    const int sent = Send(sendBuffer.data(), length, 0);
    if (sent == SOCKET_ERROR) {
        const int error = WSAGetLastError();
        // The buffer stays; the next write readiness sends it again.
        if (error == WSAEWOULDBLOCK || error == WSAEINPROGRESS)
            return;
        NotifyOwner(SE_ERROR, static_cast<UINT>(error));
        return;
    }
    sendBuffer.erase(0, static_cast<std::size_t>(sent));
    requestSentAt = Clock::now();
    NotifyOwner(SE_SENT, 0);
}

void CClientSocket::OnReceive(int)
{
    char buffer[kMaxDatagramBytes];
    const int received = Receive(buffer, static_cast<int>(kMaxDatagramBytes), 0);
    if (received == 0) {
        StopReading();
        OnClose(0);
        return;
    }
    if (received == SOCKET_ERROR) {
        // The reply ends here with what came before, so however many bad datagrams follow, the
        // owner hears of one.
        const int error = WSAGetLastError();
        StopReading();
        if (!NotifyOwnerAndSurvive(SE_ERROR, static_cast<UINT>(error)))
            return;
        EndReply();
        return;
    }
    const ReplyVerdict verdict = AppendReplyDatagram(
        receivedText, std::string_view(buffer, static_cast<std::size_t>(received)));
    if (verdict == ReplyVerdict::Complete) {
        EndReply();
        return;
    }
    if (!quietPeriod) {
        const Clock::duration roundTrip =
            requestSentAt ? Clock::now() - *requestSentAt : Clock::duration::zero();
        quietPeriod = ReplyQuietPeriod(roundTrip);
    }
    quietTimer->start(std::chrono::ceil<std::chrono::milliseconds>(*quietPeriod));
}

void CClientSocket::SetReplyDeadline(std::chrono::milliseconds wait)
{
    if (!replyEnded)
        deadlineTimer->start(wait);
}

void CClientSocket::StopReading()
{
    replyEnded = true;
    quietTimer->stop();
    deadlineTimer->stop();
    AsyncSelect(0);
}

void CClientSocket::EndReply()
{
    StopReading();
    if (!NotifyOwnerAndSurvive(SE_RECEIVED, 0))
        return;
    if (!NotifyOwnerAndSurvive(SE_WAITING, 0))
        return;
    CloseAfterReply();
}

void CClientSocket::CloseAfterReply()
{
    connectionState = ConnectionState::NotConnected;
    Close();
}

void CClientSocket::ReachDeadline()
{
    if (!receivedText.empty()) {
        EndReply();
        return;
    }
    StopReading();
    CloseAfterReply();
}

void CClientSocket::OnClose(int)
{
    connectionState = ConnectionState::NotConnected;
    NotifyOwner(SE_CLOSED, 0);
}
