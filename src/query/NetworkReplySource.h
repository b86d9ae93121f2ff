// Online reply source: one status query over UDP with plain POSIX sockets and poll().
#pragma once

#include "query/ReplyResult.h"
#include "query/ServerAddress.h"

#include <chrono>

// Resolves the host (IPv4), sends the 11-byte status request from an ephemeral local port to
// it, and collects the reply datagrams by AppendReplyDatagram (status/ReplyDatagram.h) until the
// reply is complete or the timeout has passed since the request went out. Nothing back in time
// gives an empty text, not a failure. Failures: a host that does not resolve, the network refusing
// the query, a datagram longer than kMaxDatagramBytes, any other socket error.
ReplyResult QueryServer(const ServerAddress& address, std::chrono::milliseconds timeout);
