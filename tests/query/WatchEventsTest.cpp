// SPDX-License-Identifier: GPL-2.0-or-later
// tallyhawk-query --watch with --events and --until against the demo server's pickup game on a
// free loopback port: the event lines, their JSON form, and the exit codes of --until.

#include "DemoServerRunner.h"
#include "QueryRunner.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {

using nlohmann::json;

// Four slots, a step every 0.3 s: full at 1.2 s, the match from 1.8 s.
const std::vector<std::string> kPickup{"--scenario", "pickup",    "--step-seconds",
                                       "0.3",        "--players", "4"};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> Watch(const DemoServerRunner& server, std::vector<std::string> options)
{
    options.insert(options.begin(), {server.Address(), "--watch", "0.1", "--count", "200"});
    return options;
}

TEST(WatchEventsTest, UntilPlayersEndsWhenTheFourthArrives)
{
    DemoServerRunner server({"--scenario", "pickup", "--step-seconds", "0.3", "--players", "6"});
    ASSERT_NE(server.Port(), 0u) << server.Process().ErrorText();
    const ProcessResult result = RunQuery(Watch(server, {"--events", "--until", "players=4"}));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = Lines(result.out);
    ASSERT_GE(lines.size(), 2u) << result.out;
    // Whoever was there at the first answer is the baseline; the others join one by one, and
    // the watch ends on the fourth.
    EXPECT_NE(lines.back().find("  players=4  4 players"), std::string::npos) << result.out;
    EXPECT_NE(lines[lines.size() - 2].find("  join  "), std::string::npos) << result.out;
    EXPECT_NE(lines[lines.size() - 2].find("(user id 104)"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("(user id 105)"), std::string::npos) << "the watch must end at once";
}

TEST(WatchEventsTest, JsonEventsTellTheRoundInOrder)
{
    DemoServerRunner server(kPickup);
    ASSERT_NE(server.Port(), 0u) << server.Process().ErrorText();
    const ProcessResult result =
        RunQuery(Watch(server, {"--events", "--json", "--until", "match-end"}));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::vector<std::string> events;
    for (const std::string& line : Lines(result.out)) {
        const json event = json::parse(line, nullptr, false);
        ASSERT_FALSE(event.is_discarded()) << line;
        ASSERT_TRUE(event["time"].is_string()) << line;
        events.push_back(event["event"]);
        if (event["event"] == "join") {
            EXPECT_TRUE(event["name"].is_string()) << line;
            EXPECT_GE(event["userid"].get<int>(), 101) << line;
        }
        if (event["event"] == "match-start") {
            EXPECT_EQ(event["status"], "3 min left");
        }
        if (event["event"] == "match-end") {
            EXPECT_EQ(event["status"], "Standby");
        }
    }
    ASSERT_GE(events.size(), 3u) << result.out;
    EXPECT_EQ(std::vector<std::string>(events.end() - 3, events.end()),
              (std::vector<std::string>{"full", "match-start", "match-end"}))
        << result.out;
}

TEST(WatchEventsTest, ExitCodesOfUntil)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> server;
        std::vector<std::string> query; // after HOST:PORT
        int exitCode;
        const char* err; // a part of standard error
    };
    const Case cases[] = {
        {"EventThatNeverComesEndsWithTheCount",
         {"--speed", "0"},
         {"--watch", "0.1", "--count", "3", "--until", "match-start"},
         9,
         ""},
        {"FailedQueriesKeepTheWatchGoing",
         {"--scenario", "silent"},
         {"--watch", "0.1", "--count", "2", "--timeout", "0.2", "--events", "--until", "join"},
         9,
         "Server Did Not Respond\nServer Did Not Respond\n"},
        {"UnknownEvent", {}, {"--watch", "1", "--until", "joined"}, 2, "'joined' is not an event"},
        {"ThresholdOutOfRange", {}, {"--watch", "1", "--until", "players=0"}, 2, "from 1 to 64"},
        {"UntilWithoutWatch", {}, {"--until", "join"}, 2, "--until needs --watch"},
        {"EventsWithoutWatch", {}, {"--events"}, 2, "--events needs --watch"},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        DemoServerRunner server(testCase.server);
        ASSERT_NE(server.Port(), 0u) << server.Process().ErrorText();
        std::vector<std::string> arguments = testCase.query;
        arguments.insert(arguments.begin(), server.Address());
        const ProcessResult result = RunQuery(arguments);
        EXPECT_EQ(result.exitCode, testCase.exitCode) << result.err;
        EXPECT_NE(result.err.find(testCase.err), std::string::npos) << result.err;
    }
}

} // namespace
