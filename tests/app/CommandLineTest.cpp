// The window's command line: the forms it takes, the forms it refuses, and help and version
// text printed without a window (the programs run with no display at all).
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
    std::optional<std::string> port;
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
        {"host and port", {"10.0.0.1:27500"}, "10.0.0.1", "27500", false},
        {"server then watch", {"127.0.0.1:28001", "--watch"}, "127.0.0.1", "28001", true},
        {"watch then server", {"--watch", "qw.example:1"}, "qw.example", "1", true},
        {"watch alone", {"--watch"}, std::nullopt, std::nullopt, true},
        {"15-character host", {"123.123.123.123:65535"}, "123.123.123.123", "65535", false},
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
        {{":27500"}, "no host"},
        {{"host:"}, "not a number from 1 to 65535"},
        {{"host:0"}, "not a number from 1 to 65535"},
        {{"host:65536"}, "not a number from 1 to 65535"},
        {{"host:27x"}, "not a number from 1 to 65535"},
        {{"host:+27"}, "not a number from 1 to 65535"},
        {{""}, "empty"},
        {{"--bogus"}, "--bogus"},
        {{"one", "two"}, "two"},
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

TEST(MonitorCommandLine, HelpAndVersionNeedNoDisplay)
{
    ProcessResult help = RunProcess(WithoutDisplay({TALLYHAWK_PATH, "--help"}));
    EXPECT_EQ(help.exitCode, 0) << help.err;
    EXPECT_NE(help.out.find("Usage: tallyhawk [OPTIONS] [server]"), std::string::npos);
    EXPECT_NE(help.out.find("--watch"), std::string::npos);

    ProcessResult refused = RunProcess(WithoutDisplay({TALLYHAWK_PATH, "host:99999"}));
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_NE(refused.err.find("65535"), std::string::npos);
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
