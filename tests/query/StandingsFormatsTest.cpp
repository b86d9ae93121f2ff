// SPDX-License-Identifier: GPL-2.0-or-later
// Every output form of the standings over one small fixture whose texts carry what breaks a
// format: '|', quotes, commas, a tab, backslashes, markup, QuakeWorld and high-bit bytes.

#include "query/ByteText.h"
#include "query/CsvOutput.h"
#include "query/HtmlOutput.h"
#include "query/JsonOutput.h"
#include "query/MarkdownOutput.h"
#include "query/TextOutput.h"

#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {

PlayerEntry Player(std::int32_t userId, std::int32_t frags, std::string name, std::string skin)
{
    PlayerEntry player;
    player.userId = userId;
    player.frags = frags;
    player.minutes = 12;
    player.ping = 40;
    player.name = std::move(name);
    player.skin = std::move(skin);
    player.topColor = 4;
    player.bottomColor = 13;
    return player;
}

// Two players in display order; the hostname holds markup and a '|', the first name a quote,
// a comma, a '|', a backslash and QuakeWorld brackets (0x10, 0x11), the second a tab, a
// high-bit letter (0xE5 reads 'e') and an ampersand.
QueryStandings Fixture()
{
    QueryStandings standings;
    StatusModel& model = standings.model;
    model.serverInfo.infoKeys[0] = "hostname";
    model.serverInfo.infoValues[0] = "<b>Duel</b> | \xe5rena";
    model.serverInfo.infoKeys[1] = "map";
    model.serverInfo.infoValues[1] = "dm3";
    model.serverInfo.infoCount = 2;
    model.players[0] = Player(7, 9, "a\"b,c|d\\\x10x\x11", "blue");
    model.players[1] = Player(3, -2, "t\tb\xe5&", "r,d");
    model.playerCount = 2;
    model.serverEmpty = false;
    standings.totals = {7, {0, 9, 0}, 12};
    standings.teamTexts = {"", "blue", ""};
    return standings;
}

struct FormatCase
{
    const char* name;
    std::function<std::string(const QueryStandings&)> write;
    std::string expected;
};

template <void (*Write)(std::ostream&, const QueryStandings&)>
std::string Written(const QueryStandings& standings)
{
    std::ostringstream out;
    Write(out, standings);
    return out.str();
}

std::string Summary(const QueryStandings& standings)
{
    std::ostringstream out;
    WriteStandingsSummary(out, standings, "10.0.0.1:27500", "2026-12-10 18:05");
    return out.str();
}

const FormatCase kCases[] = {
    {"Table", Written<WriteStandingsText>,
     "Server settings\n"
     "  hostname  <b>Duel</b> | erena\n"
     "  map       dm3\n"
     "\n"
     "Players\n"
     "  Name         Frags   Ping  Skin  Top  Bottom  Minutes\n"
     "  a\"b,c|d\\[x]      9     40  blue    4      13       12\n"
     "  t_be&           -2     40  r,d     4      13       12\n"
     "\n"
     "Total frags   7\n"
     "Team 1        0\n"
     "Team 2        9  (blue)\n"
     "Team 3        0\n"
     "Longest time  12 min\n"},
    {"Summary", Summary,
     "10.0.0.1:27500  <b>Duel</b> | erena  2026-12-10 18:05\n"
     "\n"
     "Players\n"
     "  Name         Frags   Ping  Skin  Top  Bottom  Minutes\n"
     "  a\"b,c|d\\[x]      9     40  blue    4      13       12\n"
     "  t_be&           -2     40  r,d     4      13       12\n"
     "\n"
     "Total frags   7\n"
     "Team 1        0\n"
     "Team 2        9  (blue)\n"
     "Team 3        0\n"
     "Longest time  12 min\n"},
    {"Csv", Written<WriteStandingsCsv>,
     "User ID,Name,Frags,Ping,Skin,Top,Bottom,Minutes\r\n"
     "7,\"a\"\"b,c|d\\[x]\",9,40,\"blue\",4,13,12\r\n"
     "3,\"t_be&\",-2,40,\"r,d\",4,13,12\r\n"},
    {"Markdown", Written<WriteStandingsMarkdown>,
     "| Key | Value |\n"
     "|---|---|\n"
     "| hostname | \\<b\\>Duel\\</b\\> \\| erena |\n"
     "| map | dm3 |\n"
     "\n"
     "| Name | Frags | Ping | Skin | Top | Bottom | Minutes |\n"
     "|---|--:|--:|---|--:|--:|--:|\n"
     "| a\"b,c\\|d\\\\\\[x\\] | 9 | 40 | blue | 4 | 13 | 12 |\n"
     "| t\\_be\\& | -2 | 40 | r,d | 4 | 13 | 12 |\n"
     "\n"
     "| Totals | |\n"
     "|---|--:|\n"
     "| Total frags | 7 |\n"
     "| Team 1 | 0 |\n"
     "| Team 2 (blue) | 9 |\n"
     "| Team 3 | 0 |\n"
     "| Longest time (min) | 12 |\n"},
    {"Html", StandingsToHtml,
     "<html><head><meta charset=\"utf-8\"></head><body>\n"
     "<table>\n"
     "<caption>&lt;b&gt;Duel&lt;/b&gt; | erena</caption>\n"
     "<thead><tr><th>Name</th><th>Frags</th><th>Ping</th><th>Skin</th><th>Top</th>"
     "<th>Bottom</th><th>Minutes</th></tr></thead>\n"
     "<tbody>\n"
     "<tr><td>a&quot;b,c|d\\[x]</td><td>9</td><td>40</td><td>blue</td><td>4</td><td>13</td>"
     "<td>12</td></tr>\n"
     "<tr><td>t_be&amp;</td><td>-2</td><td>40</td><td>r,d</td><td>4</td><td>13</td>"
     "<td>12</td></tr>\n"
     "</tbody>\n"
     "<tbody>\n"
     "<tr><th>Total frags</th><td>7</td></tr>\n"
     "<tr><th>Team 1</th><td>0</td></tr>\n"
     "<tr><th>Team 2 (blue)</th><td>9</td></tr>\n"
     "<tr><th>Team 3</th><td>0</td></tr>\n"
     "<tr><th>Longest time (min)</th><td>12</td></tr>\n"
     "</tbody>\n"
     "</table>\n"
     "</body></html>\n"},
    {"Json", [](const QueryStandings& standings) { return StandingsToJson(standings); },
     R"({"serverinfo":[["hostname","<b>Duel</b> | )"
     "\xc3\xa5"
     R"(rena"],["map","dm3"]],"players":[)"
     R"({"userId":7,"frags":9,"minutes":12,"ping":40,"name":"a\"b,c|d\\\u0010x\u0011",)"
     R"("skin":"blue","topColor":4,"bottomColor":13},)"
     R"({"userId":3,"frags":-2,"minutes":12,"ping":40,"name":"t\tb)"
     "\xc3\xa5"
     R"(&","skin":"r,d","topColor":4,"bottomColor":13}],)"
     R"("serverEmpty":false,"totals":{"totalFrags":7,"teamTotal":[0,9,0],"longestMinutes":12}})"},
};

TEST(StandingsFormatsTest, EachFormatKeepsItsStructureWhateverTheTexts)
{
    const QueryStandings standings = Fixture();
    for (const FormatCase& format : kCases) {
        SCOPED_TRACE(format.name);
        EXPECT_EQ(format.write(standings), format.expected);
    }
}

TEST(StandingsFormatsTest, EmptyServerGivesHeadersWithoutRows)
{
    QueryStandings standings;
    EXPECT_EQ(Written<WriteStandingsCsv>(standings),
              "User ID,Name,Frags,Ping,Skin,Top,Bottom,Minutes\r\n");
    const std::string html = StandingsToHtml(standings);
    EXPECT_EQ(html.find("<caption>"), std::string::npos);
    EXPECT_NE(html.find("<tbody>\n</tbody>"), std::string::npos);
    EXPECT_NE(Summary(standings).find("10.0.0.1:27500  2026-12-10 18:05\n\nPlayers\n  (none)\n"),
              std::string::npos);
}

TEST(StandingsFormatsTest, AnExtendedReplyAddsTheTeamColumnToEveryFormat)
{
    QueryStandings standings = Fixture();
    standings.layout = StatusLayout::Extended;
    standings.model.players[0].team = "r|d,1";
    standings.model.players[1].team = "blue";
    const std::string csv = Written<WriteStandingsCsv>(standings);
    EXPECT_NE(csv.find("Minutes,Team\r\n"), std::string::npos);
    EXPECT_NE(csv.find(",12,\"r|d,1\"\r\n"), std::string::npos);
    const std::string markdown = Written<WriteStandingsMarkdown>(standings);
    EXPECT_NE(markdown.find("| Minutes | Team |\n|---|--:|--:|---|--:|--:|--:|---|\n"),
              std::string::npos);
    EXPECT_NE(markdown.find("| 12 | r\\|d,1 |\n"), std::string::npos);
    EXPECT_NE(Written<WriteStandingsText>(standings).find("Minutes  Team\n"), std::string::npos);
    EXPECT_NE(StandingsToJson(standings, standings.layout).find(R"("team":"r|d,1")"),
              std::string::npos);
}

// Every byte a server may send, escaped byte for byte as the JSON library's own dump escapes its
// code point (with C1 controls escaped too), so that readers of earlier output read the same.
TEST(StandingsFormatsTest, JsonWritesEveryByteAsTheJsonLibraryWouldEscapeIt)
{
    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte)
        everyByte += static_cast<char>(byte);
    QueryStandings standings;
    standings.model.serverInfo.infoKeys[0] = everyByte;
    standings.model.serverInfo.infoValues[0] = "v";
    standings.model.serverInfo.infoCount = 1;

    const std::string expected =
        EscapeC1Controls(nlohmann::json(BytesToCodePoints(everyByte)).dump());
    const std::string json = StandingsToJson(standings);
    EXPECT_EQ(json.substr(0, json.find(R"(,"v"])")), R"({"serverinfo":[[)" + expected);
    EXPECT_EQ(nlohmann::json::parse(json)["serverinfo"][0][0], BytesToCodePoints(everyByte));
}

TEST(StandingsFormatsTest, ExtendedJsonListsSpectatorsApartWithTeamAndBot)
{
    QueryStandings standings;
    standings.layout = StatusLayout::Extended;
    standings.model.players[0] = Player(7, 9, "a", "base");
    standings.model.players[0].team = "red";
    standings.model.players[0].bot = true;
    standings.model.playerCount = 1;
    standings.model.spectators.push_back(Player(8, -9999, "s", "base"));
    standings.model.spectators.push_back(Player(9, -9999, "t", "base"));
    standings.model.serverEmpty = false;
    EXPECT_EQ(StandingsToJson(standings, standings.layout),
              R"({"serverinfo":[],"players":[{"userId":7,"frags":9,"minutes":12,"ping":40,)"
              R"("name":"a","skin":"base","topColor":4,"bottomColor":13,"team":"red","bot":true}],)"
              R"("spectators":[{"userId":8,"frags":-9999,"minutes":12,"ping":40,"name":"s",)"
              R"("skin":"base","topColor":4,"bottomColor":13,"team":"","bot":false},)"
              R"({"userId":9,"frags":-9999,"minutes":12,"ping":40,"name":"t","skin":"base",)"
              R"("topColor":4,"bottomColor":13,"team":"","bot":false}],"serverEmpty":false,)"
              R"("totals":{"totalFrags":0,"teamTotal":[0,0,0],"longestMinutes":0}})");
}

} // namespace
