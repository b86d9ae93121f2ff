// SPDX-License-Identifier: GPL-2.0-or-later
// The --watch loop: query at a fixed period, redraw a terminal in place (or append when output
// is not a terminal), keep going after a failed refresh.
#include "query/WatchLoop.h"

#include "query/NetworkReplySource.h"
#include "query/ReplyPrinter.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <iostream>
#include <thread>
#include <unistd.h>

namespace {

std::string WallClockTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

} // namespace

int WatchServer(const ServerAddress& address, const QueryOptions& options)
{
    const auto period = std::chrono::milliseconds(std::lround(*options.watchSeconds * 1000.0));
    const bool redraw = !options.json && isatty(STDOUT_FILENO);
    int exitCode = 0;
    auto next = std::chrono::steady_clock::now();
    for (int refresh = 1; !options.watchCount || refresh <= *options.watchCount; ++refresh) {
        if (refresh > 1)
            std::this_thread::sleep_until(next);
        next += period;
        const ReplyResult result = QueryServer(address, options.timeout, options.request);
        if (redraw)
            std::cout << "\x1b[H\x1b[2J"; // cursor home, clear screen
        if (!options.json)
            std::cout << EndpointText(address) << "  refresh " << refresh << "  " << WallClockTime()
                      << "\n\n";
        // The board shows a failed refresh in its place and keeps going.
        exitCode = PrintReply(result, options, std::cout, options.json ? std::cerr : std::cout);
        if (!redraw && !options.json)
            std::cout << "\n";
        std::cout.flush();
    }
    return exitCode;
}
