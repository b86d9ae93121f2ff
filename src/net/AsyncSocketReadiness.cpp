// SPDX-License-Identifier: GPL-2.0-or-later
// CAsyncSocket: turning the notifiers' level-triggered readiness into the native platform's
// edge-like events. A read is signalled while something waits and nobody has received since
// the last signal; a write once after connecting and once after each "would block". An idle
// open socket therefore has no notifier that fires.
#include "net/AsyncSocket.h"

#include <QSocketNotifier>
#include <cerrno>
#include <poll.h>
#include <sys/ioctl.h>

namespace {

enum class ReadFinding
{
    Nothing,
    Data,
    EndOfStream,
    Error,
};

} // namespace

void CAsyncSocket::UpdateNotifiers()
{
    if (!readNotifier)
        return;
    const bool wantRead =
        (selectedEvents & (FD_READ | FD_CLOSE)) != 0 && !readSignalMuted && !closeSignalled;
    const bool wantWrite = connectUnderWay || (writeSignalDue && (selectedEvents & FD_WRITE) != 0);
    if (readNotifier->isEnabled() != wantRead)
        readNotifier->setEnabled(wantRead);
    if (writeNotifier->isEnabled() != wantWrite)
        writeNotifier->setEnabled(wantWrite);
}

void CAsyncSocket::ReadReady()
{
    // The native platform posts a new connection's write readiness at once, so it always comes
    // before the read readiness of a reply; when both are ready in one wake-up, keep that order.
    if (writeSignalDue && !connectUnderWay && (selectedEvents & FD_WRITE) != 0 && WritableNow()) {
        const std::weak_ptr<const void> alive = LifetimeToken();
        const std::intptr_t identityBefore = handleIdentity;
        WriteReady();
        if (alive.expired() || handleIdentity != identityBefore)
            return;
    }

    ReadFinding finding = ReadFinding::Nothing;
    int error = 0;
    int waiting = 0;
    if (::ioctl(handle, FIONREAD, &waiting) == 0 && waiting > 0) {
        finding = ReadFinding::Data;
    } else {
        // FIONREAD gives the size of the next datagram, so an empty datagram looks like nothing
        // waiting; a peek tells it from a spurious wake-up and from a pending error.
        char probe = 0;
        const ssize_t peeked = ::recv(handle, &probe, 1, MSG_PEEK | MSG_DONTWAIT);
        if (peeked > 0 || (peeked == 0 && IsDatagram())) {
            finding = ReadFinding::Data;
        } else if (peeked == 0) {
            finding = ReadFinding::EndOfStream;
        } else if (errno != EAGAIN && errno != EINTR) {
            // The peek has taken the kernel's pending error (an ICMP port unreachable, say);
            // keep it for the next Send or Receive, where the native platform reports it.
            pendingError = ErrorFromErrno(errno);
            error = pendingError;
            finding = ReadFinding::Error;
        }
    }

    if (finding == ReadFinding::Nothing)
        return;
    if (finding == ReadFinding::EndOfStream) {
        closeSignalled = true;
        UpdateNotifiers();
        if (selectedEvents & FD_CLOSE)
            OnClose(0);
        return;
    }
    const std::weak_ptr<const void> alive = LifetimeToken();
    const std::uint64_t receivesBefore = receiveCalls;
    const std::intptr_t identityBefore = handleIdentity;
    if (selectedEvents & FD_READ)
        OnReceive(error);
    // The handler may have destroyed this object, or closed it (and perhaps created a new socket).
    if (alive.expired() || handleIdentity != identityBefore)
        return;
    // Like the native platform, signal the next read only after someone has received.
    if (receiveCalls == receivesBefore) {
        readSignalMuted = true;
        UpdateNotifiers();
    }
}

bool CAsyncSocket::WritableNow() const
{
    pollfd room{handle, POLLOUT, 0};
    return ::poll(&room, 1, 0) == 1 && (room.revents & POLLOUT) != 0;
}

void CAsyncSocket::WriteReady()
{
    if (connectUnderWay) {
        connectUnderWay = false;
        int outcome = 0;
        socklen_t outcomeLength = sizeof outcome;
        if (::getsockopt(handle, SOL_SOCKET, SO_ERROR, &outcome, &outcomeLength) != 0)
            outcome = errno;
        const int error = outcome == 0 ? 0 : ErrorFromErrno(outcome);
        writeSignalDue = error == 0;
        UpdateNotifiers();
        if (selectedEvents & FD_CONNECT)
            OnConnect(error);
        return;
    }
    writeSignalDue = false;
    UpdateNotifiers();
    if (selectedEvents & FD_WRITE)
        OnSend(0);
}
