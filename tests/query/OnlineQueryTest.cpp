// SPDX-License-Identifier: GPL-2.0-or-later
// End-to-end tests of tallyhawk-query over the network, against qw-demo-server on a free
// loopback port: the standings of a frozen match, every fault scenario's outcome, the errors.

#include "DemoServerRunner.h"
#include "QueryRunner.h"
#include "qw-demo-server/Scenario.h"
#include "qw-demo-server/SimulatedMatch.h"
#include "qw-demo-server/StatusReplyWriter.h"
#include "status/StatusWireFormat.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <map>
#include <netinet/in.h>
#include <nlohmann/json.hpp>
#include <set>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using nlohmann::json;

// A frozen match with three teams, so that every total has players.
const std::vector<std::string> kFrozenMatch{"--speed", "0", "--seed", "7", "--teams", "3"};
const MatchSettings kFrozenSettings{.players = 8, .teams = 3, .seed = 7};
const std::vector<std::string> kTeams{"--team1", "red", "--team2", "blue", "--team3", "gold"};

std::vector<std::string> Concat(std::vector<std::string> first,
                                const std::vector<std::string>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// The standings must follow from the players the JSON lists, whatever they are.
void ExpectConsistentStandings(const json& document)
{
    const json& players = document["players"];
    int totalFrags = 0;
    int longest = 0;
    std::map<std::string, int> bySkin;
    for (std::size_t row = 0; row < players.size(); ++row) {
        if (row > 0) {
            EXPECT_GE(players[row - 1]["frags"].get<int>(), players[row]["frags"].get<int>());
        }
        totalFrags += players[row]["frags"].get<int>();
        longest = std::max(longest, players[row]["minutes"].get<int>());
        bySkin[players[row]["skin"]] += players[row]["frags"].get<int>();
    }
    EXPECT_EQ(document["totals"]["totalFrags"], totalFrags);
    EXPECT_EQ(document["totals"]["longestMinutes"], longest);
    EXPECT_EQ(document["totals"]["teamTotal"],
              json::array({bySkin["red"], bySkin["blue"], bySkin["gold"]}));
    EXPECT_EQ(document["serverEmpty"], players.empty());
}

std::set<std::string> PlayerNames(const SimulatedMatch& match)
{
    std::set<std::string> names;
    for (const SimulatedClient& client : match.Clients())
        if (!client.spectator)
            names.insert(client.name);
    return names;
}

std::set<std::string> PlayerNames(const json& document)
{
    std::set<std::string> names;
    for (const json& player : document["players"])
        names.insert(CodePointsToBytes(player["name"]));
    return names;
}

TEST(OnlineQueryTest, FrozenMatchGivesEveryPlayerInFragOrderWithTotals)
{
    DemoServerRunner server(kFrozenMatch);
    ASSERT_NE(server.Port(), 0u) << server.Process().ErrorText();
    const ProcessResult result = RunQuery(Concat({server.Address(), "--json"}, kTeams));
    ASSERT_EQ(result.exitCode, 0) << result.err;

    const json document = json::parse(result.out);
    EXPECT_EQ(PlayerNames(document), PlayerNames(SimulatedMatch(kFrozenSettings)));
    EXPECT_EQ(document["serverinfo"][0], json::array({"hostname", "Tallyhawk demo server"}));
    ExpectConsistentStandings(document);
}

TEST(OnlineQueryTest, RawReplyIsTheServersBytesAndReplaysThroughFromFile)
{
    DemoServerRunner server(kFrozenMatch);
    ASSERT_NE(server.Port(), 0u) << server.Process().ErrorText();
    const ProcessResult raw = RunQuery({server.Address(), "--raw"});
    ASSERT_EQ(raw.exitCode, 0) << raw.err;

    const SimulatedMatch match(kFrozenSettings);
    std::string expected(kPrintHeader);
    for (const std::string& piece : StatusReplyPieces(match.ServerInfo(), match.Clients(), 0))
        expected += piece;
    EXPECT_EQ(raw.out, expected);

    TemporaryFile saved(raw.out);
    const ProcessResult replayed =
        RunQuery(Concat({"--from-file", saved.Path(), "--json"}, kTeams));
    const ProcessResult online = RunQuery(Concat({server.Address(), "--json"}, kTeams));
    EXPECT_EQ(replayed.out, online.out);
}

TEST(OnlineQueryTest, FullServerIsReadFromAllItsDatagrams)
{
    DemoServerRunner server({"--speed", "0", "--scenario", "full"});
    ASSERT_NE(server.Port(), 0u) << server.Process().ErrorText();
    const ProcessResult result = RunQuery(Concat({server.Address(), "--json"}, kTeams));
    ASSERT_EQ(result.exitCode, 0) << result.err;

    const json document = json::parse(result.out);
    EXPECT_EQ(document["players"].size(), 32u);
    EXPECT_EQ(document["serverinfo"].size(), 25u);
    for (const json& player : document["players"])
        EXPECT_NE(player["userId"], 0) << player; // no header in front of a continued line
    ExpectConsistentStandings(document);
}

TEST(OnlineQueryTest, WatchRepeatsTheQueryForTheGivenCount)
{
    DemoServerRunner server({"--seed", "3", "--speed", "50"});
    ASSERT_NE(server.Port(), 0u) << server.Process().ErrorText();
    const ProcessResult result =
        RunQuery(Concat({server.Address(), "--watch", "0.2", "--count", "3", "--json"}, kTeams));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::size_t lines = 0;
    for (std::size_t start = 0; start < result.out.size(); ++lines) {
        const std::size_t end = result.out.find('\n', start);
        ExpectConsistentStandings(json::parse(result.out.substr(start, end - start)));
        start = end + 1;
    }
    EXPECT_EQ(lines, 3u);
}

struct ScenarioCase
{
    const char* scenario;
    int exitCode;
    std::string errorText; // expected within standard error
    int players;           // players in the JSON; -1 when no JSON is expected
};

void PrintTo(const ScenarioCase& scenarioCase, std::ostream* out)
{
    *out << scenarioCase.scenario;
}

class OnlineScenarioTest : public testing::TestWithParam<ScenarioCase>
{};

TEST_P(OnlineScenarioTest, EndsAsDocumented)
{
    const ScenarioCase& scenarioCase = GetParam();
    DemoServerRunner server(Concat(kFrozenMatch, {"--scenario", scenarioCase.scenario}));
    ASSERT_NE(server.Port(), 0u) << server.Process().ErrorText();
    const ProcessResult result =
        RunQuery(Concat({server.Address(), "--json", "--timeout", "0.5"}, kTeams));
    EXPECT_EQ(result.exitCode, scenarioCase.exitCode) << result.err;
    EXPECT_NE(result.err.find(scenarioCase.errorText), std::string::npos) << result.err;
    if (scenarioCase.players < 0) {
        EXPECT_EQ(result.out, "");
        return;
    }
    const json document = json::parse(result.out);
    EXPECT_EQ(document["players"].size(), static_cast<std::size_t>(scenarioCase.players));
    ExpectConsistentStandings(document);
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, OnlineScenarioTest,
    testing::Values(ScenarioCase{"normal", 0, "", 8},
                    ScenarioCase{"silent", 1, "Server Did Not Respond\n", -1},
                    ScenarioCase{"empty-datagram", 1, "Server Did Not Respond\n", -1},
                    ScenarioCase{"oversize", 6, "larger than 4096 bytes", -1},
                    ScenarioCase{"exact-4096", 0, "", 8}, ScenarioCase{"split", 0, "", 8},
                    ScenarioCase{"zero-byte", 0, "", 4}, ScenarioCase{"no-players", 0, "", 0},
                    ScenarioCase{"no-ack", 0, "", 8}),
    [](const testing::TestParamInfo<ScenarioCase>& info) {
        std::string name = info.param.scenario;
        std::erase(name, '-');
        return name;
    });

TEST(OnlineQueryTest, SplitReplyReadsAsTheWholeReply)
{
    DemoServerRunner normal(kFrozenMatch);
    DemoServerRunner split(Concat(kFrozenMatch, {"--scenario", "split"}));
    ASSERT_NE(normal.Port() * split.Port(), 0u);
    EXPECT_EQ(RunQuery(Concat({split.Address(), "--json"}, kTeams)).out,
              RunQuery(Concat({normal.Address(), "--json"}, kTeams)).out);
}

TEST(OnlineQueryTest, FenceChangesNothingInTheReply)
{
    // Every shape: short, a nearly full datagram that may continue, two datagrams; and a server
    // that ignores the ping.
    const std::vector<std::vector<std::string>> shapes{
        kFrozenMatch,
        {"--speed", "0", "--players", "32"},
        {"--speed", "0", "--scenario", "full"},
        Concat(kFrozenMatch, {"--scenario", "no-ack"}),
    };
    for (const auto& shape : shapes) {
        SCOPED_TRACE(testing::PrintToString(shape));
        DemoServerRunner server(shape);
        ASSERT_NE(server.Port(), 0u) << server.Process().ErrorText();
        const ProcessResult fenced = RunQuery({server.Address(), "--raw"});
        const ProcessResult alone = RunQuery({server.Address(), "--raw", "--no-fence"});
        ASSERT_EQ(fenced.exitCode, 0) << fenced.err;
        EXPECT_EQ(fenced.out, alone.out);
    }
}

TEST(OnlineQueryTest, ExtendedQueryGivesTeamsBotsAndSpectatorsApart)
{
    DemoServerRunner server(Concat(kFrozenMatch, {"--bots", "2"}));
    ASSERT_NE(server.Port(), 0u) << server.Process().ErrorText();
    const std::vector<std::string> teamMode{"--extended", "--team-mode", "team"};
    const ProcessResult result =
        RunQuery(Concat(Concat({server.Address(), "--json"}, teamMode), kTeams));
    ASSERT_EQ(result.exitCode, 0) << result.err;

    const json document = json::parse(result.out);
    const SimulatedMatch match(MatchSettings{.players = 8, .teams = 3, .seed = 7, .bots = 2});
    EXPECT_EQ(PlayerNames(document), PlayerNames(match));
    std::map<std::string, int> byTeam;
    int bots = 0;
    for (const json& player : document["players"]) {
        byTeam[player["team"]] += player["frags"].get<int>();
        bots += player["bot"].get<bool>() ? 1 : 0;
    }
    EXPECT_EQ(bots, 2);
    EXPECT_EQ(document["totals"]["teamTotal"],
              json::array({byTeam["red"], byTeam["blue"], byTeam["gold"]}));
    ASSERT_EQ(document["spectators"].size(), 1u);
    for (const SimulatedClient& client : match.Clients()) {
        if (client.spectator) {
            EXPECT_EQ(CodePointsToBytes(document["spectators"][0]["name"]), client.name);
        }
    }
    // The same standings as the skins give: the demo server's teams wear their team's skin.
    const ProcessResult bySkin = RunQuery(Concat({server.Address(), "--json"}, kTeams));
    EXPECT_EQ(json::parse(bySkin.out)["totals"], document["totals"]);

    const ProcessResult table = RunQuery(Concat(Concat({server.Address()}, teamMode), kTeams));
    ASSERT_EQ(table.exitCode, 0) << table.err;
    EXPECT_NE(table.out.find("Minutes  Team"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("\nSpectators\n"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find(" (bot)"), std::string::npos) << table.out;
}

TEST(OnlineQueryTest, TeamModeTeamNeedsTheExtendedReply)
{
    const ProcessResult result = RunQuery({"127.0.0.1:1", "--team-mode", "team"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("--team-mode team needs --extended"), std::string::npos)
        << result.err;
}

TEST(OnlineQueryTest, ServerOnIpv6LoopbackAnswersAsOnIpv4)
{
    DemoServerRunner ipv6(Concat(kFrozenMatch, {"--bind", "::1"}));
    DemoServerRunner ipv4(kFrozenMatch);
    ASSERT_NE(ipv6.Port(), 0u) << ipv6.Process().ErrorText();
    ASSERT_NE(ipv4.Port(), 0u) << ipv4.Process().ErrorText();
    EXPECT_EQ(ipv6.Address(), "[::1]:" + std::to_string(ipv6.Port()));

    const ProcessResult expected = RunQuery(Concat({ipv4.Address(), "--json"}, kTeams));
    for (const std::string& address :
         {ipv6.Address(), "[0:0:0:0:0:0:0:1]:" + std::to_string(ipv6.Port())}) {
        SCOPED_TRACE(address);
        const ProcessResult result = RunQuery(Concat({address, "--json"}, kTeams));
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, expected.out);
    }
}

TEST(OnlineQueryTest, ExactlyFullDatagramArrivesWhole)
{
    DemoServerRunner server(Concat(kFrozenMatch, {"--scenario", "exact-4096"}));
    ASSERT_NE(server.Port(), 0u);
    const ProcessResult raw = RunQuery({server.Address(), "--raw"});
    EXPECT_EQ(raw.out.size(), kMaxDatagramBytes - 1); // all but the terminating zero byte
}

TEST(OnlineQueryTest, GarbageNeverCrashes)
{
    for (const char* seed : {"1", "2", "3", "4", "5"}) {
        DemoServerRunner server({"--scenario", "garbage", "--seed", seed});
        ASSERT_NE(server.Port(), 0u);
        for (const char* format : {"--json", "--team-mode=color"}) {
            const ProcessResult result =
                RunQuery(Concat({server.Address(), format, "--timeout", "0.5"}, kTeams));
            EXPECT_TRUE(result.exitCode == 0 || result.exitCode == 1) << result.err;
            if (result.exitCode == 0 && std::string(format) == "--json")
                ExpectConsistentStandings(json::parse(result.out));
        }
    }
}

// A loopback port that nothing listens on: bound, then released.
unsigned FreeUdpPort()
{
    const int probe = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    close(probe);
    return ntohs(address.sin_port);
}

TEST(OnlineQueryTest, NetworkErrorsHaveTheirOwnCodes)
{
    struct ErrorCase
    {
        std::string server;
        int exitCode;
        std::string errorText;
    };
    const ErrorCase cases[] = {
        {"127.0.0.1:" + std::to_string(FreeUdpPort()), 5, "nothing is listening at 127.0.0.1:"},
        {"[::1]:" + std::to_string(FreeUdpPort()), 5, "nothing is listening at [::1]:"},
        {"no-such-host.invalid", 3, "cannot resolve host 'no-such-host.invalid'"},
        {"127.0.0.1:65536", 4, "port '65536' is out of range (1 to 65535)"},
        {"127.0.0.1:0", 4, "out of range"},
    };
    for (const ErrorCase& errorCase : cases) {
        SCOPED_TRACE(errorCase.server);
        const ProcessResult result = RunQuery({errorCase.server, "--timeout", "1"});
        EXPECT_EQ(result.exitCode, errorCase.exitCode) << result.err;
        EXPECT_NE(result.err.find(errorCase.errorText), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

} // namespace
