// SPDX-License-Identifier: GPL-2.0-or-later
// Online reply source: one status query over UDP with plain POSIX sockets and poll().
#pragma once

#include "net/HostLookup.h"
#include "query/ReplyResult.h"
#include "query/ServerAddress.h"

#include <chrono>

// Resolves the host (IPv4), sends the 11-byte status request from an ephemeral local port to
// it, and collects the reply datagrams by AppendReplyDatagram (status/ReplyDatagram.h) until the
// reply is complete or the timeout has passed since the call: the timeout bounds the lookup and
// the exchange together. Nothing back in time gives an empty text, not a failure. Failures: a
// host that does not resolve or whose lookup has no answer in time, the network refusing the
// query, a datagram longer than kMaxDatagramBytes, any other socket error.
ReplyResult QueryServer(const ServerAddress& address, std::chrono::milliseconds timeout);

// The same with `lookUp` in place of the system's resolver for the host, run on a thread of its
// own even for a numeric host (tests give one that never answers, fails or answers).
ReplyResult QueryServer(const ServerAddress& address, std::chrono::milliseconds timeout,
                        BackgroundHostLookup::Work lookUp);
