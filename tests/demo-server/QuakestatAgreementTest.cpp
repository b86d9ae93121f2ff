// SPDX-License-Identifier: GPL-2.0-or-later
// quakestat, a query tool we did not write, must read qw-demo-server's replies as a QuakeWorld
// server's and see the same serverinfo and players that tallyhawk-query reports for the same
// frozen match. quakestat asks with "status 23" (spectators and teams too) and prints names
// plainly; tallyhawk-query asks with the 11-byte request and keeps every byte.

#include "DemoServerRunner.h"
#include "QueryRunner.h"

#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

namespace {

using nlohmann::json;

std::vector<std::string> SplitAt(const std::string& text, char separator)
{
    std::vector<std::string> fields;
    std::stringstream stream(text);
    for (std::string field; std::getline(stream, field, separator);)
        fields.push_back(field);
    return fields;
}

// How quakestat prints a QuakeWorld name: coloured letters (160 to 255) as the plain letter,
// the coloured bracket and digit glyphs (144 to 155) as '[', ']' and '0' to '9', every other
// byte below 32 or from 127 to 159 left out.
std::string QuakestatPlainName(const std::string& bytes)
{
    std::string plain;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 160)
            plain += static_cast<char>(byte - 128);
        else if (byte == 144)
            plain += '[';
        else if (byte == 145)
            plain += ']';
        else if (byte >= 146 && byte <= 155)
            plain += static_cast<char>('0' + byte - 146);
        else if (byte >= 32 && byte < 127)
            plain += c;
    }
    return plain;
}

struct QuakestatPlayer
{
    std::string name;
    int frags = 0;
    int seconds = 0;
    int topColor = 0;
    int bottomColor = 0;
    int ping = 0;
    std::string skin;
};

class QuakestatAgreementTest : public testing::TestWithParam<const char*>
{};

TEST_P(QuakestatAgreementTest, SeesTheSameServerInfoAndPlayers)
{
    DemoServerRunner server(
        {"--speed", "0", "--players", "24", "--teams", "3", "--seed", GetParam()});
    ASSERT_NE(server.Port(), 0u) << server.Process().ErrorText();

    const ProcessResult quakestat = RunProcess(
        {"/usr/bin/env", "quakestat", "-qws", server.Address(), "-P", "-R", "-raw", "\t", "-ncn"});
    if (quakestat.exitCode == 127)
        GTEST_SKIP() << "quakestat is not installed (scripts/setup installs it)";
    ASSERT_EQ(quakestat.exitCode, 0) << quakestat.err;
    const ProcessResult query = RunQuery({server.Address(), "--json"});
    ASSERT_EQ(query.exitCode, 0) << query.err;
    const json standings = json::parse(query.out);

    // Line 1: type, address, hostname, map, maxclients, players, ping, retries.
    // Line 2: the other serverinfo pairs as key=value. Then one line per client.
    const std::vector<std::string> lines = SplitAt(quakestat.out, '\n');
    ASSERT_GE(lines.size(), 3u) << quakestat.out;
    const std::vector<std::string> header = SplitAt(lines[0], '\t');
    ASSERT_GE(header.size(), 6u) << lines[0];
    EXPECT_EQ(header[0], "QWS");

    std::map<std::string, std::string> serverInfo;
    for (const json& pair : standings["serverinfo"])
        serverInfo[pair[0]] = pair[1];
    EXPECT_EQ(header[2], serverInfo["hostname"]);
    EXPECT_EQ(header[3], serverInfo["map"]);
    EXPECT_EQ(header[4], serverInfo["maxclients"]);
    EXPECT_EQ(header[5], std::to_string(standings["players"].size()));

    std::set<std::string> quakestatRules;
    for (const std::string& rule : SplitAt(lines[1], '\t'))
        quakestatRules.insert(rule);
    std::set<std::string> ourRules;
    for (const auto& [key, value] : serverInfo)
        if (key != "hostname" && key != "map" && key != "maxclients" && key != "maxspectators")
            ourRules.insert(key + "=" + value);
    EXPECT_EQ(quakestatRules, ourRules);

    std::map<int, QuakestatPlayer> quakestatPlayers;
    for (std::size_t line = 2; line < lines.size() && !lines[line].empty(); ++line) {
        const std::vector<std::string> fields = SplitAt(lines[line] + "\t", '\t');
        ASSERT_GE(fields.size(), 8u) << lines[line];
        if (fields[2] == "-9999")
            continue; // a spectator: listed only for "status 23"
        quakestatPlayers[std::stoi(fields[0])] = QuakestatPlayer{fields[1],
                                                                 std::stoi(fields[2]),
                                                                 std::stoi(fields[3]),
                                                                 std::stoi(fields[4]),
                                                                 std::stoi(fields[5]),
                                                                 std::stoi(fields[6]),
                                                                 fields[7]};
    }
    ASSERT_EQ(quakestatPlayers.size(), standings["players"].size()) << quakestat.out;
    for (const json& player : standings["players"]) {
        SCOPED_TRACE(player.dump());
        ASSERT_EQ(quakestatPlayers.count(player["userId"]), 1u);
        const QuakestatPlayer& seen = quakestatPlayers[player["userId"]];
        EXPECT_EQ(seen.name, QuakestatPlainName(CodePointsToBytes(player["name"])));
        EXPECT_EQ(seen.frags, player["frags"]);
        EXPECT_EQ(seen.seconds, player["minutes"].get<int>() * 60);
        EXPECT_EQ(seen.ping, player["ping"]);
        EXPECT_EQ(seen.topColor, player["topColor"]);
        EXPECT_EQ(seen.bottomColor, player["bottomColor"]);
        EXPECT_EQ(seen.skin, CodePointsToBytes(player["skin"]));
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, QuakestatAgreementTest, testing::Values("1", "2", "3"));

} // namespace
