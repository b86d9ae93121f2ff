// SPDX-License-Identifier: GPL-2.0-or-later
// The --watch loop: query at a fixed period, redraw a terminal in place (or append when output
// is not a terminal), keep going after a failed refresh; tell the events between answers.
#include "query/WatchLoop.h"

#include "query/JsonOutput.h"
#include "query/NetworkReplySource.h"
#include "query/ReplyPrinter.h"
#include "query/TextOutput.h"
#include "status/ReplyDatagram.h"
#include "status/StatusReplyReader.h"
#include "status/WatchEventTracker.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <iostream>
#include <thread>
#include <unistd.h>

namespace {

std::string WallClockTime(const char* format = "%H:%M:%S")
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

// Writes the events of one answered reply (all of them with --events, otherwise only the one
// that ends the watch) and tells whether one of them is what --until waits for.
bool ReportEvents(const std::vector<WatchEvent>& events, const QueryOptions& options)
{
    bool awaited = false;
    for (const WatchEvent& event : events) {
        const bool ends = options.until.Includes(event);
        if (options.events || ends)
            std::cout << (options.json
                              ? WatchEventToJson(event, WallClockTime("%Y-%m-%dT%H:%M:%S%z"))
                              : WatchEventToText(event, WallClockTime()))
                      << "\n";
        awaited = awaited || ends;
    }
    return awaited;
}

} // namespace

int WatchServer(const ServerAddress& address, const QueryOptions& options)
{
    const auto period = std::chrono::milliseconds(std::lround(*options.watchSeconds * 1000.0));
    const bool board = !options.events;
    const bool redraw = board && !options.json && isatty(STDOUT_FILENO);
    const bool tracking = options.events || !options.until.Empty();
    WatchEventTracker tracker(options.until.PlayersThreshold());
    StatusModel model; // what the events compare; the board reads the reply on its own
    int exitCode = 0;
    auto next = std::chrono::steady_clock::now();
    for (int refresh = 1; !options.watchCount || refresh <= *options.watchCount; ++refresh) {
        if (refresh > 1)
            std::this_thread::sleep_until(next);
        next += period;
        const ReplyResult result = QueryServer(address, options.timeout);
        const bool answered = result && !IsEmptyReplyText(*result);
        if (board) {
            if (redraw)
                std::cout << "\x1b[H\x1b[2J"; // cursor home, clear screen
            if (!options.json)
                std::cout << address.host << ":" << address.port << "  refresh " << refresh << "  "
                          << WallClockTime() << "\n\n";
            // The board shows a failed refresh in its place and keeps going.
            exitCode = PrintReply(result, options, std::cout, options.json ? std::cerr : std::cout);
            if (!redraw && !options.json)
                std::cout << "\n";
        } else {
            // The event log tells a failed refresh on standard error and keeps going.
            exitCode = answered ? ToInt(ExitCode::Success)
                                : PrintReply(result, options, std::cout, std::cerr);
        }
        // A failed refresh is compared with nothing: the next answer is compared with the last.
        if (tracking && answered) {
            ReadStatusReply(*result, model);
            if (ReportEvents(tracker.Compare(model), options)) {
                std::cout.flush();
                return ToInt(ExitCode::Success);
            }
        }
        std::cout.flush();
    }
    if (!options.until.Empty())
        return ToInt(ExitCode::EventNotSeen);
    return exitCode;
}
