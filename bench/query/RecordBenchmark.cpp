// SPDX-License-Identifier: GPL-2.0-or-later
// Appending one reply's match-record line: the standings of a committed 8-player reply
// formatted as the record line and written to a file, as each reply of a recording does.
#include "TestData.h"
#include "query/MatchRecord.h"
#include "query/RecordWriter.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

namespace {

void BM_AppendRecordLine(benchmark::State& state)
{
    const ReplyStandings standings = ReadReplyStandings(ReadTestDataFile("demo-match.reply"),
                                                        TeamMode::Skin, {"red", "blue", ""});
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("record-bench-" + std::to_string(getpid()) + ".jsonl"))
                                 .string();
    {
        Result<std::unique_ptr<RecordWriter>> writer = RecordWriter::Open(path);
        if (!writer) {
            state.SkipWithError(writer.Error().c_str());
            return;
        }
        RecordContext context;
        context.recordingStarted = std::chrono::system_clock::now();
        context.server = "127.0.0.1:27500";
        context.teamTexts = {"red", "blue", ""};
        for (auto _ : state) {
            context.time = std::chrono::system_clock::now();
            const Result<bool> appended = (*writer)->Append(FormatRecordLine(context, standings));
            benchmark::DoNotOptimize(appended);
        }
        state.SetLabel(std::to_string(FormatRecordLine(context, standings).size()) +
                       " bytes a line");
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_AppendRecordLine)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
