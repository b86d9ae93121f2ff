// SPDX-License-Identifier: GPL-2.0-or-later
// The reply datagrams of a status request, formatted as a current server (mvdsv) prints them:
// the serverinfo as one piece with its newline, then per client the line's body, the optional
// team field, the optional client type ("b" or "h") and the newline as separate pieces. The pieces
// gather in a print buffer of kServerPrintBufferBytes; when the next piece would not fit, the
// buffer goes out as one datagram (print header, text, zero byte) and starts again empty.
#pragma once

#include "qw-demo-server/SimulatedClient.h"

#include <string>
#include <vector>

inline constexpr int kConnectingPing = 999;

// The reply text pieces for the request flags, in print order.
std::vector<std::string> StatusReplyPieces(const std::vector<ServerInfoPair>& serverInfo,
                                           const std::vector<SimulatedClient>& clients, int flags);

// The pieces cut into datagrams at most bufferBytes of text each (a single longer piece goes
// alone). Always at least one datagram, as a server flushes its buffer even when empty.
std::vector<std::string> PackReplyDatagrams(const std::vector<std::string>& pieces,
                                            std::size_t bufferBytes);

// header + text + zero byte
std::string ReplyDatagram(const std::string& text);
