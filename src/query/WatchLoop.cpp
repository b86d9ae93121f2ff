// SPDX-License-Identifier: GPL-2.0-or-later
// The --watch loop: query at a fixed period, redraw a terminal in place (or append when output
// is not a terminal), keep going after a failed refresh; tell the events between answers.
#include "query/WatchLoop.h"

#include "query/JsonOutput.h"
#include "query/MatchRecord.h"
#include "query/NetworkReplySource.h"
#include "query/RecordWriter.h"
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
    // The board (heading, redrawn screen, failures in place) is the table's; the other formats
    // append one document per refresh and report failures on standard error.
    const bool board = options.format == OutputFormat::Table;
    const bool redraw = board && isatty(STDOUT_FILENO);
    std::unique_ptr<RecordWriter> recorder;
    RecordContext context;
    context.recordingStarted = std::chrono::system_clock::now();
    context.server = EndpointText(address);
    context.teamMode = options.teamMode;
    context.teamTexts = options.teamTexts;
    context.layout = options.request.layout;
    if (options.recordFile) {
        Result<std::unique_ptr<RecordWriter>> opened = RecordWriter::Open(*options.recordFile);
        if (!opened) {
            std::cerr << "tallyhawk-query: " << opened.Error() << "\n";
            return ToInt(ExitCode::RecordFailed);
        }
        recorder = std::move(*opened);
    }
    const bool tracking = options.events || !options.until.Empty();
    WatchEventTracker tracker(options.until.PlayersThreshold());
    StatusModel model; // what the events compare; the board reads the reply on its own
    int exitCode = 0;
    auto next = std::chrono::steady_clock::now();
    for (int refresh = 1; !options.watchCount || refresh <= *options.watchCount; ++refresh) {
        if (refresh > 1)
            std::this_thread::sleep_until(next);
        next += period;
        const ReplyResult result = QueryServer(address, options.timeout, options.request);
        context.time = std::chrono::system_clock::now();
        const bool answered = result && !IsEmptyReplyText(*result);
        if (!options.events) {
            if (redraw)
                std::cout << "\x1b[H\x1b[2J"; // cursor home, clear screen
            if (board)
                std::cout << EndpointText(address) << "  refresh " << refresh << "  "
                          << WallClockTime() << "\n\n";
            // The board shows a failed refresh in its place and keeps going.
            exitCode = PrintReply(result, options, std::cout, board ? std::cout : std::cerr);
            if ((board && !redraw) || options.format == OutputFormat::Markdown)
                std::cout << "\n"; // a blank line ends a Markdown table
        } else {
            // The event log tells a failed refresh on standard error and keeps going.
            exitCode = answered ? ToInt(ExitCode::Success)
                                : PrintReply(result, options, std::cout, std::cerr);
        }
        if (recorder && answered) {
            const ReplyStandings standings = ReadReplyStandings(
                *result, options.teamMode, options.teamTexts, options.request.layout);
            if (const Result<bool> appended =
                    recorder->Append(FormatRecordLine(context, standings));
                !appended) {
                std::cout.flush();
                std::cerr << "tallyhawk-query: " << appended.Error() << "\n";
                return ToInt(ExitCode::RecordFailed);
            }
        }
        // A failed refresh is compared with nothing: the next answer is compared with the last.
        if (tracking && answered) {
            ReadStatusReply(*result, model, options.request.layout);
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
