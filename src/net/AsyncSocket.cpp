// SPDX-License-Identifier: GPL-2.0-or-later
// CAsyncSocket: creation, connecting, sending, receiving and closing. The readiness side (which
// notifier fires when, and which handler it calls) is in AsyncSocketReadiness.cpp.
#include "net/AsyncSocket.h"

#include "net/HostLookup.h"

#include <QSocketNotifier>
#include <arpa/inet.h>
#include <cerrno>
#include <unistd.h>

CAsyncSocket::CAsyncSocket() : lifetime(std::make_shared<const char>())
{}

CAsyncSocket::~CAsyncSocket()
{
    Close();
}

bool CAsyncSocket::Create(unsigned port, int type, long events)
{
    if (handle != INVALID_SOCKET) {
        WSASetLastError(WSAEINVAL);
        return false;
    }
    const SOCKET created = ::socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (created < 0) {
        WSASetLastError(WindowsSocketsError(errno));
        return false;
    }
    handle = created;
    socketType = type;
    static std::intptr_t lastHandleIdentity = 0; // GUI thread only
    handleIdentity = ++lastHandleIdentity;
    readNotifier = std::make_unique<QSocketNotifier>(handle, QSocketNotifier::Read);
    writeNotifier = std::make_unique<QSocketNotifier>(handle, QSocketNotifier::Write);
    readNotifier->setEnabled(false);
    writeNotifier->setEnabled(false);
    QObject::connect(readNotifier.get(), &QSocketNotifier::activated, [this] { ReadReady(); });
    QObject::connect(writeNotifier.get(), &QSocketNotifier::activated, [this] { WriteReady(); });
    AsyncSelect(events);

    // No SO_REUSEADDR: a port that another socket holds must stay unavailable.
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    local.sin_port = htons(static_cast<std::uint16_t>(port & 0xFFFF));
    if (::bind(handle, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        const int error = WindowsSocketsError(errno);
        Close();
        WSASetLastError(error);
        return false;
    }
    return true;
}

bool CAsyncSocket::Connect(const std::string& host, unsigned port)
{
    const HostLookupAnswer answer = LookUpIpv4(host);
    if (!answer.address) {
        WSASetLastError(WSAEINVAL);
        return false;
    }
    return Connect(*answer.address, port);
}

bool CAsyncSocket::Connect(const in_addr& address, unsigned port)
{
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr = address;
    peer.sin_port = htons(static_cast<std::uint16_t>(port & 0xFFFF));
    return ConnectHelper(reinterpret_cast<const sockaddr*>(&peer), sizeof peer);
}

bool CAsyncSocket::ConnectHelper(const sockaddr* address, int length)
{
    if (handle == INVALID_SOCKET) {
        WSASetLastError(WSAENOTSOCK);
        return false;
    }
    if (::connect(handle, address, static_cast<socklen_t>(length)) == 0) {
        connectUnderWay = false;
        writeSignalDue = true;
        UpdateNotifiers();
        return true;
    }
    // A non-blocking connect under way is EINPROGRESS here and WSAEWOULDBLOCK on the native
    // platform; callers tell "under way" from "failed" by that number.
    const int error = errno == EINPROGRESS ? WSAEWOULDBLOCK : ErrorFromErrno(errno);
    if (error == WSAEWOULDBLOCK) {
        connectUnderWay = true;
        UpdateNotifiers();
    }
    WSASetLastError(error);
    return false;
}

int CAsyncSocket::Send(const void* buffer, int length, int flags)
{
    if (!ReadyToTransfer(length))
        return SOCKET_ERROR;
    const ssize_t sent =
        ::send(handle, buffer, static_cast<size_t>(length), flags | MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent < 0) {
        const int error = ErrorFromErrno(errno);
        if (error == WSAEWOULDBLOCK)
            AwaitWriteRoom();
        WSASetLastError(error);
        return SOCKET_ERROR;
    }
    return static_cast<int>(sent);
}

int CAsyncSocket::Receive(void* buffer, int length, int flags)
{
    ++receiveCalls;
    if (readSignalMuted) {
        readSignalMuted = false;
        UpdateNotifiers();
    }
    if (!ReadyToTransfer(length))
        return SOCKET_ERROR;
    // MSG_TRUNC makes recv return a datagram's real length, so one longer than the buffer is
    // reported instead of being cut silently.
    const int truncation = IsDatagram() ? MSG_TRUNC : 0;
    const ssize_t received =
        ::recv(handle, buffer, static_cast<size_t>(length), flags | truncation | MSG_DONTWAIT);
    if (received < 0) {
        WSASetLastError(ErrorFromErrno(errno));
        return SOCKET_ERROR;
    }
    if (received > length) {
        WSASetLastError(WSAEMSGSIZE);
        return SOCKET_ERROR;
    }
    return static_cast<int>(received);
}

bool CAsyncSocket::AsyncSelect(long events)
{
    if (handle == INVALID_SOCKET) {
        WSASetLastError(WSAENOTSOCK);
        return false;
    }
    selectedEvents = events;
    readSignalMuted = false;
    UpdateNotifiers();
    return true;
}

void CAsyncSocket::Close()
{
    if (handle == INVALID_SOCKET)
        return;
    // Deleting the notifiers takes them out of the event dispatcher, including an activation
    // already collected for this round, before the descriptor number can be handed out again.
    readNotifier.reset();
    writeNotifier.reset();
    ::close(handle);
    handle = INVALID_SOCKET;
    handleIdentity = 0;
    selectedEvents = 0;
    connectUnderWay = false;
    writeSignalDue = false;
    readSignalMuted = false;
    closeSignalled = false;
    pendingError = 0;
}

int CAsyncSocket::ErrorFromErrno(int errnoValue) const
{
    // After an ICMP port unreachable the native platform reports a connected datagram socket's
    // next call as a reset connection; Linux says "refused".
    if (IsDatagram() && errnoValue == ECONNREFUSED)
        return WSAECONNRESET;
    return WindowsSocketsError(errnoValue);
}

bool CAsyncSocket::ReadyToTransfer(int length)
{
    int error = 0;
    if (handle == INVALID_SOCKET)
        error = WSAENOTSOCK;
    else if (length < 0)
        error = WSAEINVAL;
    else {
        // An error taken from the kernel while probing a read readiness fails this transfer.
        error = pendingError;
        pendingError = 0;
    }
    if (error == 0)
        return true;
    WSASetLastError(error);
    return false;
}

void CAsyncSocket::AwaitWriteRoom()
{
    writeSignalDue = true;
    UpdateNotifiers();
}

void CAsyncSocket::OnReceive(int)
{}

void CAsyncSocket::OnSend(int)
{}

void CAsyncSocket::OnOutOfBandData(int)
{}

void CAsyncSocket::OnAccept(int)
{}

void CAsyncSocket::OnConnect(int)
{}

void CAsyncSocket::OnClose(int)
{}
