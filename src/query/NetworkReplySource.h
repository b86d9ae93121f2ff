// SPDX-License-Identifier: GPL-2.0-or-later
// Online reply source: one status query over UDP with plain POSIX sockets and poll(). A host
// with several addresses is asked at each at once, and the first to answer gives the reply.
#pragma once

#include "net/HostLookup.h"
#include "query/QueryRequest.h"
#include "query/ReplyResult.h"
#include "query/ServerAddress.h"

#include <chrono>

// Resolves the host (IPv4 and IPv6, numeric at once), sends the status request of the request's
// layout from an ephemeral local port to each of its addresses, then (with ReplyFence::Ping) the
// ping whose acknowledgement ends the reply, and collects the reply datagrams by ReplyCollector
// (status/ReplyCollector.h) until the reply is complete or the timeout has passed since the call:
// the timeout bounds the lookup and the exchange together. Nothing back in time gives an empty
// text, not a failure. Failures: a host that does not resolve or whose lookup has no answer in
// time, the network refusing the query (at every address), a datagram longer than
// kMaxDatagramBytes, any other socket error.
ReplyResult QueryServer(const ServerAddress& address, std::chrono::milliseconds timeout,
                        const QueryRequest& request = {});

// The same with `lookUp` in place of the system's resolver for the host, run on a thread of its
// own even for a numeric host (tests give one that never answers, fails or answers).
ReplyResult QueryServer(const ServerAddress& address, std::chrono::milliseconds timeout,
                        BackgroundHostLookup::Work lookUp, const QueryRequest& request = {});
