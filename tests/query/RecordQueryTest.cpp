// SPDX-License-Identifier: GPL-2.0-or-later
// tallyhawk-query --watch --record end to end, against qw-demo-server on a free loopback port:
// the lines it appends, a file it cannot write, and a kill in the middle of a recording.

#include "DemoServerRunner.h"
#include "QueryRunner.h"
#include "query/MatchRecord.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

const std::vector<std::string> kFrozenMatch{"--speed", "0", "--seed", "7", "--teams", "3"};

std::string RecordPath(const char* name)
{
    return (std::filesystem::temp_directory_path() /
            (std::string(name) + "-" + std::to_string(getpid()) + ".jsonl"))
        .string();
}

std::string FileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(RecordQueryTest, EachReplyAppendsTheJsonDocumentAsOneLine)
{
    DemoServerRunner server(kFrozenMatch);
    ASSERT_NE(server.Port(), 0u) << server.Process().ErrorText();
    const std::string path = RecordPath("record-query");
    const std::vector<std::string> teams{"--team1", "red", "--team2", "blue", "--team3", "gold"};
    std::vector<std::string> arguments{server.Address(), "--json", "--watch",  "0.1",
                                       "--count",        "3",      "--record", path};
    arguments.insert(arguments.end(), teams.begin(), teams.end());
    const ProcessResult watched = RunQuery(arguments);
    std::vector<std::string> once{server.Address(), "--json"};
    once.insert(once.end(), teams.begin(), teams.end());
    const ProcessResult single = RunQuery(once);
    const std::string text = FileText(path);
    std::filesystem::remove(path);

    ASSERT_EQ(watched.exitCode, 0) << watched.err;
    std::istringstream lines(text);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        const nlohmann::json document = nlohmann::json::parse(line);
        EXPECT_EQ(document["version"], 1);
        EXPECT_EQ(document["server"], server.Address());
        EXPECT_EQ(document["teams"]["texts"], nlohmann::json::array({"red", "blue", "gold"}));
        // The match is frozen: every line holds what a single --json query prints.
        EXPECT_EQ(document["standings"], nlohmann::json::parse(single.out));
    }
    EXPECT_EQ(count, 3);
}

TEST(RecordQueryTest, UnwritableRecordEndsWithItsExitCodeAndMessage)
{
    DemoServerRunner server(kFrozenMatch);
    ASSERT_NE(server.Port(), 0u) << server.Process().ErrorText();
    for (const std::string& path :
         {RecordPath("absent-folder") + "/m.jsonl", std::string("/dev/full")}) {
        SCOPED_TRACE(path);
        const ProcessResult result =
            RunQuery({server.Address(), "--watch", "0.1", "--count", "2", "--record", path});
        EXPECT_EQ(result.exitCode, 8);
        EXPECT_NE(result.err.find("tallyhawk-query: " + path), std::string::npos) << result.err;
    }
    EXPECT_EQ(RunQuery({server.Address(), "--record", "m.jsonl"}).exitCode, 2); // needs --watch
}

// A kill can land in the middle of a write; what is left must be whole lines and at most one
// torn tail, and the next recording must still start on a line of its own.
TEST(RecordQueryTest, KilledRecordingsLeaveOnlyWholeLinesBesideTornTails)
{
    DemoServerRunner server({"--speed", "50", "--seed", "3"});
    ASSERT_NE(server.Port(), 0u) << server.Process().ErrorText();
    const std::string path = RecordPath("record-killed");
    constexpr int kRecordings = 3;
    for (int recording = 1; recording <= kRecordings; ++recording) {
        const std::size_t before = FileText(path).size();
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            freopen("/dev/null", "w", stdout);
            execl(TALLYHAWK_QUERY_PATH, TALLYHAWK_QUERY_PATH, server.Address().c_str(), "--json",
                  "--watch", "0.1", "--record", path.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (FileText(path).size() < before + 4000 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status));
    }
    const std::string text = FileText(path);
    std::filesystem::remove(path);

    std::istringstream lines(text);
    int whole = 0;
    for (std::string line; std::getline(lines, line);)
        if (!nlohmann::json::parse(line, nullptr, false).is_discarded())
            ++whole;
    const Result<RecordContents> contents = ParseRecordText(text);
    ASSERT_TRUE(contents) << contents.Error();
    EXPECT_EQ(static_cast<int>(contents->entries.size()), whole);
    EXPECT_GT(whole, kRecordings);
}

} // namespace
