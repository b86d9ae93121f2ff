// CClientSocket: the query's steps and the reports they send. Every report may destroy this
// object (the owner deletes the socket, maybe from a nested event loop), so a handler that has
// more to do after a report checks NotifyOwnerAndSurvive first.
#include "net/ClientSocket.h"

#include "status/ReplyDatagram.h"

#include <algorithm>
#include <climits>

CClientSocket::CClientSocket(CMessageTarget* ownerDialog) : ownerDialog(ownerDialog)
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
    NotifyOwner(SE_SENT, 0);
}

void CClientSocket::OnReceive(int)
{
    char buffer[kMaxDatagramBytes];
    const int received = Receive(buffer, static_cast<int>(kMaxDatagramBytes), 0);
    if (received == SOCKET_ERROR) {
        if (!NotifyOwnerAndSurvive(SE_ERROR, static_cast<UINT>(WSAGetLastError())))
            return;
    } else if (received == 0) {
        OnClose(0);
        return;
    } else {
        // Every datagram is reported alike; the verdict serves collectors that wait for more.
        AppendReplyDatagram(receivedText,
                            std::string_view(buffer, static_cast<std::size_t>(received)));
    }
    if (!NotifyOwnerAndSurvive(SE_RECEIVED, 0))
        return;
    NotifyOwner(SE_WAITING, 0);
}

void CClientSocket::OnClose(int)
{
    connectionState = ConnectionState::NotConnected;
    NotifyOwner(SE_CLOSED, 0);
}
