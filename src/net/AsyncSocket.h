// SPDX-License-Identifier: GPL-2.0-or-later
// An asynchronous IPv4 socket over BSD sockets whose readiness arrives as handler calls on the
// GUI thread, through Qt's event loop (QSocketNotifier). Needs a QCoreApplication; use every
// object from the thread that runs it. Failures travel as Windows Sockets numbers
// (net/WindowsSockets.h), read with WSAGetLastError right after the failed call.
#pragma once

#include "net/WindowsSockets.h"

#include <cstdint>
#include <memory>
#include <netinet/in.h>
#include <string>

class QSocketNotifier;

class CAsyncSocket
{
public:
    CAsyncSocket();
    // Closes the handle if it is open; readiness still queued for it reaches no object.
    virtual ~CAsyncSocket();

    CAsyncSocket(const CAsyncSocket&) = delete;
    CAsyncSocket& operator=(const CAsyncSocket&) = delete;

    // Creates a non-blocking socket of the given type (SOCK_DGRAM, SOCK_STREAM), selects
    // `events` and binds it to every local address at `port` (0: any free port). No address
    // reuse: binding a port that another socket holds fails with WSAEADDRINUSE. On failure the
    // handle is closed again and false is returned.
    bool Create(unsigned port = 0, int type = SOCK_STREAM,
                long events = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE);

    // Resolves `host` with LookUpIpv4 (net/HostLookup.h: a numeric IPv4 address at once, else
    // the first IPv4 address of a name look-up, which blocks) and connects to it as below. A host
    // that does not resolve fails with WSAEINVAL and runs no connect step.
    bool Connect(const std::string& host, unsigned port);

    // Runs ConnectHelper with `address` and the port's low 16 bits. On a datagram socket the
    // connect completes at once and sets the default peer; a stream connect under way fails with
    // WSAEWOULDBLOCK and completes later through OnConnect.
    bool Connect(const in_addr& address, unsigned port);

    // One send call: the bytes sent, or SOCKET_ERROR. After WSAEWOULDBLOCK, write readiness
    // (OnSend) is signalled once room is free again.
    virtual int Send(const void* buffer, int length, int flags = 0);

    // One receive call. On a datagram socket it takes exactly one datagram: its length (0 for an
    // empty datagram), or SOCKET_ERROR with WSAEMSGSIZE when the datagram is longer than
    // `length`; such a datagram is consumed, never delivered in part.
    virtual int Receive(void* buffer, int length, int flags = 0);

    // Chooses the readiness events (FD_* bits) to be signalled; replaces the previous choice.
    bool AsyncSelect(long events);

    // Closes the handle. No readiness queued before the close is delivered afterwards, not even
    // to another socket that is given the same handle number.
    void Close();

    SOCKET Handle() const { return handle; }

    // Names this handle in reports (WM_SOCKET_EVENT's lParam) and nowhere else in the process:
    // Linux reuses a closed descriptor's number at once. 0 while there is no handle.
    std::intptr_t HandleIdentity() const { return handleIdentity; }

    // Readiness handlers, run from the event loop with the event's error (0: none). Each is
    // signalled once, then again only after a Receive (read), a send that met WSAEWOULDBLOCK
    // (write) or a new selection. OnAccept and OnOutOfBandData never run. A handler may destroy
    // its socket.
    virtual void OnReceive(int error);
    virtual void OnSend(int error);
    virtual void OnOutOfBandData(int error);
    virtual void OnAccept(int error);
    virtual void OnConnect(int error);
    virtual void OnClose(int error);

protected:
    // The connect call itself; false with the error number set when it fails.
    virtual bool ConnectHelper(const sockaddr* address, int length);

    // Asks for write readiness once the socket can take data again; Send calls it after
    // WSAEWOULDBLOCK. A test that simulates a blocked send calls it the same way.
    void AwaitWriteRoom();

    // Expires when this object is destroyed: code that calls out (a handler, a report to an
    // owner) keeps a copy and checks it before touching the object again.
    std::weak_ptr<const void> LifetimeToken() const { return lifetime; }

private:
    void ReadReady();
    void WriteReady();
    bool WritableNow() const;
    void UpdateNotifiers();
    bool IsDatagram() const { return socketType == SOCK_DGRAM; }
    // Fails a Send or Receive before it starts when there is no handle, the length is bad or
    // an error is pending (setting the error number); true when the transfer may go ahead.
    bool ReadyToTransfer(int length);
    int ErrorFromErrno(int errnoValue) const;

    SOCKET handle = INVALID_SOCKET;
    int socketType = 0;
    long selectedEvents = 0;
    bool connectUnderWay = false; // a stream connect waits for write readiness to finish
    bool writeSignalDue = false;  // connected, or room awaited after WSAEWOULDBLOCK
    bool readSignalMuted = false; // signalled, and nobody has received since
    bool closeSignalled = false;  // a stream peer's close is signalled only once
    int pendingError = 0;         // taken from the kernel while probing a read readiness
    std::uint64_t receiveCalls = 0;
    std::intptr_t handleIdentity = 0;
    std::unique_ptr<QSocketNotifier> readNotifier;
    std::unique_ptr<QSocketNotifier> writeNotifier;
    std::shared_ptr<const char> lifetime;
};
