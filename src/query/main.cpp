// SPDX-License-Identifier: GPL-2.0-or-later
// tallyhawk-query: queries a QuakeWorld server once (or reads a saved reply, or keeps watching)
// and prints the standings computed by the status core, as a table or as JSON.

#include "query/FileReplySource.h"
#include "query/NetworkReplySource.h"
#include "query/QueryOptions.h"
#include "query/ReplyPrinter.h"
#include "query/ServerAddress.h"
#include "query/WatchLoop.h"

#include <iostream>

int main(int argc, char** argv)
{
    const Result<QueryOptions, ExitCode> parsed = ParseQueryOptions(argc, argv);
    if (!parsed)
        return ToInt(parsed.Error());
    const QueryOptions& options = *parsed;

    if (options.fromFile)
        return PrintReply(ReadReplyFile(*options.fromFile, options.timeout), options, std::cout,
                          std::cerr);

    const Result<ServerAddress, ReplyFailure> address = ParseServerAddress(options.server);
    if (!address)
        return PrintReply(Fail(address.Error()), options, std::cout, std::cerr);
    const ServerAddress& server = *address;

    if (options.watchSeconds)
        return WatchServer(server, options);
    return PrintReply(QueryServer(server, options.timeout, options.request), options, std::cout,
                      std::cerr);
}
