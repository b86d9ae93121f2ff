// SPDX-License-Identifier: GPL-2.0-or-later
// The numbered reports a query socket sends its owner, and the window message that carries them.
//   WM_SOCKET_EVENT: wParam = MAKELONG(code, error word), lParam = the socket's handle.
#pragma once

#include "platform/WindowMessage.h"

inline constexpr UINT WM_SOCKET_EVENT = WM_USER + 1;

enum SocketEvent : std::uint16_t
{
    SE_CONNECTING = 0, // just before the connect attempt
    SE_CONNECTED = 1,  // error word 0 = connected, else the failed connect's error number
    SE_RECEIVED = 3,   // after each read that did not end the exchange
    SE_SENT = 4,       // after a successful send, or when nothing is left to send
    SE_CLOSED = 6,     // the peer closed, or a read of zero bytes
    SE_ERROR = 7,      // a read or send failed; error word = the error number
    SE_WAITING = 8,    // right after each SE_RECEIVED
};
