// SPDX-License-Identifier: GPL-2.0-or-later
// The window's command line: the forms it takes, the forms it refuses, Qt's own options handed
// to Qt, and help and version text printed without a window (the programs run with no display at
// all). Where HOST[:PORT] splits and which ports it takes is tested with the split, in
// tests/status.
#include "app/CommandLine.h"

#include "ChildProcess.h"
#include "res/Version.h"

#include <gtest/gtest.h>

namespace {

struct AcceptedCase
{
    const char* name;
    std::vector<std::string> arguments;
    std::optional<std::string> host;
    std::optional<std::uint16_t> port;
    bool watch;
};

// A process without a display or a chosen Qt platform: opening a window would fail.
std::vector<std::string> WithoutDisplay(std::vector<std::string> command)
{
    std::vector<std::string> argv{"/usr/bin/env",    "-u", "DISPLAY",        "-u",
                                  "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM"};
    argv.insert(argv.end(), command.begin(), command.end());
    return argv;
}

} // namespace

TEST(MonitorCommandLine, AcceptedFormsFillHostPortAndWatch)
{
    const AcceptedCase cases[] = {
        {"nothing", {}, std::nullopt, std::nullopt, false},
        {"host only", {"10.0.0.1"}, "10.0.0.1", std::nullopt, false},
        {"host and port", {"10.0.0.1:27500"}, "10.0.0.1", 27500, false},
        {"server then watch", {"127.0.0.1:28001", "--watch"}, "127.0.0.1", 28001, true},
        {"watch then server", {"--watch", "qw.example:1"}, "qw.example", 1, true},
        {"watch alone", {"--watch"}, std::nullopt, std::nullopt, true},
        {"15-character host", {"123.123.123.123:65535"}, "123.123.123.123", 65535, false},
        // Qt's own options, with one dash or two, are passed over: QApplication takes them.
        {"style and value", {"-style", "Fusion", "h:27500", "--watch"}, "h", 27500, true},
        {"platform and value", {"h:27500", "-platform", "offscreen", "--watch"}, "h", 27500, true},
        {"reverse", {"--watch", "-reverse", "h:27500"}, "h", 27500, true},
        {"style after an equals sign", {"-style=Fusion", "h"}, "h", std::nullopt, false},
        {"two dashes", {"--style", "Fusion", "--reverse", "h"}, "h", std::nullopt, false},
        {"title --watch is Qt's", {"-qwindowtitle", "--watch"}, std::nullopt, std::nullopt, false},
        {"X11 display", {"-display", ":1", "h"}, "h", std::nullopt, false},
    };
    for (const AcceptedCase& test : cases) {
        SCOPED_TRACE(test.name);
        auto result = ParseMonitorCommandLine(test.arguments);
        ASSERT_TRUE(result) << result.Error().output;
        EXPECT_EQ(result->host, test.host);
        EXPECT_EQ(result->port, test.port);
        EXPECT_EQ(result->watch, test.watch);
    }
}

TEST(MonitorCommandLine, RefusedFormsSayWhyAndExitWithStatus2)
{
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"1234567890123456"}, "longer than 15 characters"},
        {{":27500"}, "the server has no host: :27500"},
        {{"host:0"}, "the port is not a number from 1 to 65535: 0"},
        {{""}, "empty"},
        {{"--bogus"}, "--bogus"},
        {{"one", "two"}, "two"},
        {{"-bogus"}, "-bogus"},
        {{"-style"}, "-style needs a value"},
        {{"h", "-platform"}, "-platform needs a value"},
        {{"-platform=offscreen"}, "-platform=offscreen"},
        {{"-reverse=yes"}, "-reverse=yes"},
        {{"--alert", "joins"}, "--alert 'joins' is not an event"},
        {{"--alert", "players=65"}, "from 1 to 64"},
        {{"--alert"}, "--alert"},
    };
    for (const auto& [arguments, reason] : cases) {
        SCOPED_TRACE(arguments.front());
        auto result = ParseMonitorCommandLine(arguments);
        ASSERT_FALSE(result);
        const CommandLineExit& exit = result.Error();
        EXPECT_EQ(exit.status, 2);
        EXPECT_NE(exit.output.find(reason), std::string::npos) << exit.output;
        EXPECT_EQ(exit.output.rfind("tallyhawk: ", 0), 0u) << exit.output;
    }
}

TEST(MonitorCommandLine, AlertsAreChosenOnlyWhenGiven)
{
    const std::pair<std::vector<std::string>, std::optional<std::vector<std::string>>> cases[] = {
        {{"h:27500", "--watch"}, std::nullopt},
        {{"--alert", "players=4", "h", "--alert", "match-start", "--watch"},
         std::vector<std::string>{"players=4", "match-start"}},
        {{"--alert", "join", "--alert", "join", "--alert", "players=2", "--alert", "players=3"},
         std::vector<std::string>{"join", "players=3"}},
    };
    for (const auto& [arguments, names] : cases) {
        SCOPED_TRACE(arguments.front());
        auto result = ParseMonitorCommandLine(arguments);
        ASSERT_TRUE(result) << result.Error().output;
        ASSERT_EQ(result->alerts.has_value(), names.has_value());
        if (names) {
            EXPECT_EQ(result->alerts->Names(), *names);
        }
    }
}

TEST(MonitorCommandLine, HelpAndVersionNeedNoDisplay)
{
    // Qt's options beside --help do not make Qt start first.
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--help"}, {"-style", "Fusion", "-reverse", "--help"}}) {
        SCOPED_TRACE(arguments.front());
        std::vector<std::string> command{TALLYHAWK_PATH};
        command.insert(command.end(), arguments.begin(), arguments.end());
        ProcessResult help = RunProcess(WithoutDisplay(command));
        EXPECT_EQ(help.exitCode, 0) << help.err;
        EXPECT_NE(help.out.find("Usage: tallyhawk [OPTIONS] [server]"), std::string::npos);
        EXPECT_NE(help.out.find("--watch"), std::string::npos);
    }

    const std::pair<const char*, const char*> refusals[] = {{"host:99999", "65535"},
                                                            {"-bogus", "-bogus"}};
    for (const auto& [argument, reason] : refusals) {
        SCOPED_TRACE(argument);
        ProcessResult refused = RunProcess(WithoutDisplay({TALLYHAWK_PATH, argument}));
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_TRUE(refused.out.empty());
        EXPECT_NE(refused.err.find(reason), std::string::npos) << refused.err;
    }
}

TEST(ProgramVersions, EveryProgramPrintsTheOneVersion)
{
    for (const char* program : {TALLYHAWK_PATH, TALLYHAWK_QUERY_PATH, TALLYHAWK_DEMO_SERVER_PATH}) {
        SCOPED_TRACE(program);
        ProcessResult version = RunProcess(WithoutDisplay({program, "--version"}));
        EXPECT_EQ(version.exitCode, 0) << version.err;
        std::string name = std::string(program).substr(std::string(program).rfind('/') + 1);
        EXPECT_EQ(version.out, name + " " + kDisplayVersion + "\n");
    }
    EXPECT_STREQ(kDisplayVersion, "1.1 beta");
    EXPECT_STREQ(kNumericVersion, "0.8.1.0");
}
