// tallyhawk-query: queries a QuakeWorld server once (or reads a saved reply, or keeps watching)
// and prints the standings computed by the status core, as a table or as JSON.

#include "FileReplySource.h"
#include "NetworkReplySource.h"
#include "QueryOptions.h"
#include "ReplyPrinter.h"
#include "ServerAddress.h"
#include "WatchLoop.h"

#include <iostream>

int main(int argc, char** argv)
{
    const auto parsed = ParseQueryOptions(argc, argv);
    if (const int* exitCode = std::get_if<int>(&parsed))
        return *exitCode;
    const QueryOptions& options = std::get<QueryOptions>(parsed);

    if (options.fromFile)
        return PrintReply(ReadReplyFile(*options.fromFile, options.timeout), options, std::cout,
                          std::cerr);

    const auto address = ParseServerAddress(options.server);
    if (const auto* failure = std::get_if<ReplyFailure>(&address))
        return PrintReply(ReplyResult{{}, *failure}, options, std::cout, std::cerr);
    const ServerAddress& server = std::get<ServerAddress>(address);

    if (options.watchSeconds)
        return WatchServer(server, options);
    return PrintReply(QueryServer(server, options.timeout), options, std::cout, std::cerr);
}
