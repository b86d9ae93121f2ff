// SPDX-License-Identifier: GPL-2.0-or-later
// End-to-end tests of tallyhawk-query --from-file: the text table, the JSON object and the exit
// codes, run as a whole process on reply files.

#include "QueryRunner.h"
#include "TestData.h"
#include "query/ByteText.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr std::size_t kMaxReplyBytesForTest = 64 * 1024; // the documented bound of one reply

// A reply as a server sends it, with players out of frag order, a tie on 9 frags, a suicide
// and a name with a high-bit byte and two QuakeWorld bracket bytes.
const std::string kReply = "\xff\xff\xff\xffn"                     // print header
                           "\\hostname\\Duel \xe5rena\\map\\dm3\n" // serverinfo
                           "3 5 12 40 \"Alpha\" \"red\" 4 4\n"
                           "7 9 3 999 \"b\xe5t \x10x\x11\" \"blue\" 13 13\n"
                           "9 -2 30 25 \"Gamma\" \"red\" 4 12\n"
                           "11 9 1 60 \"Delta\" \"blue\" 13 13\n";

TEST(QueryFromFileTest, PrintsTableInDisplayOrderWithSkinTeamTotals)
{
    TemporaryFile reply(kReply);
    const ProcessResult result =
        RunQuery({"--from-file", reply.Path(), "--team1", "red", "--team2", "blue"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "Server settings\n"
                          "  hostname  Duel erena\n"
                          "  map       dm3\n"
                          "\n"
                          "Players\n"
                          "  Name     Frags   Ping  Skin  Top  Bottom  Minutes\n"
                          "  bet [x]      9    999  blue   13      13        3\n"
                          "  Delta        9     60  blue   13      13        1\n"
                          "  Alpha        5     40  red     4       4       12\n"
                          "  Gamma       -2     25  red     4      12       30\n"
                          "\n"
                          "Total frags   21\n"
                          "Team 1        3  (red)\n"
                          "Team 2        18  (blue)\n"
                          "Team 3        0\n"
                          "Longest time  30 min\n");
}

TEST(QueryFromFileTest, PrintsOneJsonLineWithColorTeamTotals)
{
    TemporaryFile reply(kReply);
    const ProcessResult result =
        RunQuery({"--from-file", reply.Path(), "--json", "--team-mode", "color", "--team1", "4",
                  "--team2", "13", "--team3", " 12abc"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(
        result.out,
        R"({"serverinfo":[["hostname","Duel )"
        "\xc3\xa5"
        R"(rena"],["map","dm3"]],"players":[)"
        R"({"userId":7,"frags":9,"minutes":3,"ping":999,"name":"b)"
        "\xc3\xa5"
        R"(t \u0010x\u0011","skin":"blue","topColor":13,"bottomColor":13},)"
        R"({"userId":11,"frags":9,"minutes":1,"ping":60,"name":"Delta","skin":"blue","topColor":13,"bottomColor":13},)"
        R"({"userId":3,"frags":5,"minutes":12,"ping":40,"name":"Alpha","skin":"red","topColor":4,"bottomColor":4},)"
        R"({"userId":9,"frags":-2,"minutes":30,"ping":25,"name":"Gamma","skin":"red","topColor":4,"bottomColor":12}],)"
        R"("serverEmpty":false,"totals":{"totalFrags":21,"teamTotal":[5,18,-2],"longestMinutes":30}})"
        "\n");
}

TEST(QueryFromFileTest, JsonStringsGiveBackEveryByteOfTheReply)
{
    // Every byte a name can hold: all but the zero byte, the double quote and the newline.
    std::string name;
    for (int byte = 1; byte < 256; ++byte)
        if (byte != '"' && byte != '\n')
            name += static_cast<char>(byte);
    const std::string reply = "\xff\xff\xff\xffn\\key\\\xff\xfe value\n"
                              "1 2 3 4 \"" +
                              name + "\" \"sk\xe9n\" 5 6\n";
    TemporaryFile file(reply);
    const ProcessResult result = RunQuery({"--from-file", file.Path(), "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;

    const auto document = nlohmann::json::parse(result.out);
    EXPECT_EQ(CodePointsToBytes(document["players"][0]["name"]), name);
    EXPECT_EQ(CodePointsToBytes(document["players"][0]["skin"]), "sk\xe9n");
    EXPECT_EQ(CodePointsToBytes(document["serverinfo"][0][1]), "\xff\xfe value");

    // No control character reaches a terminal raw: C0 and C1 (UTF-8 C2 80 to C2 9F) escaped.
    for (std::size_t index = 0; index + 1 < result.out.size(); ++index) {
        const auto byte = static_cast<unsigned char>(result.out[index]);
        const auto next = static_cast<unsigned char>(result.out[index + 1]);
        EXPECT_FALSE(byte == 0xC2 && next < 0xA0) << "raw C1 control at " << index;
        EXPECT_FALSE(byte < 0x20) << "raw C0 control at " << index;
    }
    EXPECT_NE(result.out.find("\\u001f !"), std::string::npos);
    EXPECT_NE(result.out.find("~\x7f\\u0080\\u0081"), std::string::npos);
    EXPECT_NE(result.out.find("\\u009b\\u009c\\u009d\\u009e\\u009f\xc2\xa0"), std::string::npos);
}

TEST(QueryFromFileTest, ReadsTheFileOnlyUpToItsFirstZeroByte)
{
    TemporaryFile reply(std::string("\xff\xff\xff\xffn\\map\\e1m1\n"
                                    "1 7 2 30 \"kept\" \"\" 0 0\n") +
                        '\0' + "2 99 2 30 \"dropped\" \"\" 0 0\n");
    const ProcessResult result = RunQuery({"--from-file", reply.Path(), "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto document = nlohmann::json::parse(result.out);
    ASSERT_EQ(document["players"].size(), 1u);
    EXPECT_EQ(document["players"][0]["name"], "kept");
    EXPECT_EQ(document["totals"]["totalFrags"], 7);
}

TEST(QueryFromFileTest, ReplyWithoutPlayersIsAnEmptyServer)
{
    TemporaryFile reply("\xff\xff\xff\xffn\\hostname\\idle\\map\\start\n");
    const ProcessResult json = RunQuery({"--from-file", reply.Path(), "--json"});
    EXPECT_EQ(json.out, R"({"serverinfo":[["hostname","idle"],["map","start"]],"players":[],)"
                        R"("serverEmpty":true,"totals":{"totalFrags":0,"teamTotal":[0,0,0],)"
                        R"("longestMinutes":0}})"
                        "\n");
    const ProcessResult text = RunQuery({"--from-file", reply.Path()});
    EXPECT_NE(text.out.find("Players\n  (none)\n"), std::string::npos) << text.out;
}

std::size_t CodePoints(const std::string& utf8)
{
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

TEST(QueryFromFileTest, RecordedDemoReplyShowsAlignedColumnsWhateverTheNameBytes)
{
    // Recorded with: qw-demo-server --speed 0 --seed 3 --players 10 --teams 3, then --raw.
    const ProcessResult result =
        RunQuery({"--from-file", TestDataPath("demo-match.reply"), "--team1", "red"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::size_t players = result.out.find("Players\n");
    const std::size_t totals = result.out.find("\n\nTotal frags");
    ASSERT_LT(players, totals);

    std::vector<std::string> rows;
    std::istringstream table(result.out.substr(players, totals - players));
    std::string row;
    std::getline(table, row); // the title
    while (std::getline(table, row))
        rows.push_back(row);
    ASSERT_EQ(rows.size(), 11u); // the column heads and ten players
    for (const std::string& line : rows) {
        EXPECT_EQ(CodePoints(line), CodePoints(rows[0])) << line;
        // No byte of a name reaches the terminal as a control character.
        EXPECT_TRUE(std::none_of(line.begin(), line.end(), [](char c) {
            return static_cast<unsigned char>(c) < 32 || c == 127;
        })) << line;
    }
}

// The CSV, read by Python's csv module, holds the players of the JSON document row for row:
// names and skins as readable text, numbers as they are.
TEST(QueryFromFileTest, CsvReadsBackWithPythonToThePlayersOfTheJson)
{
    // Names and skins with commas, a '|', a tab, a backslash and high-bit bytes.
    TemporaryFile awkwardNames("\xff\xff\xff\xffn\\hostname\\a, b\n"
                               "3 5 12 40 \"Al,pha\" \"r,ed\" 4 4\n"
                               "7 9 3 999 \"b\xe5t|\\x\" \"blue\" 13 13\n"
                               "9 -2 30 25 \"Ga\tm'ma,\" \"\" 4 12\n");
    for (const std::string& reply : {TestDataPath("demo-match.reply"),
                                     TestDataPath("full-server.reply"), awkwardNames.Path()}) {
        SCOPED_TRACE(reply);
        const ProcessResult csv = RunQuery({"--from-file", reply, "--format", "csv"});
        const ProcessResult json = RunQuery({"--from-file", reply, "--json"});
        ASSERT_EQ(csv.exitCode, 0) << csv.err;
        ASSERT_EQ(json.exitCode, 0) << json.err;
        TemporaryFile csvFile(csv.out);
        const ProcessResult rows =
            RunProcess({TALLYHAWK_PYTHON3_PATH, "-c",
                        "import csv, json, sys\n"
                        "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                        "    print(json.dumps(list(csv.reader(f, strict=True))))",
                        csvFile.Path()});
        ASSERT_EQ(rows.exitCode, 0) << rows.err;

        const auto table = nlohmann::json::parse(rows.out);
        const auto players = nlohmann::json::parse(json.out)["players"];
        ASSERT_EQ(table.size(), players.size() + 1);
        EXPECT_EQ(table[0], nlohmann::json::parse(R"(["User ID","Name","Frags","Ping","Skin",)"
                                                  R"("Top","Bottom","Minutes"])"));
        for (std::size_t index = 0; index < players.size(); ++index) {
            const auto& player = players[index];
            const auto& row = table[index + 1];
            ASSERT_EQ(row.size(), 8u) << row;
            EXPECT_EQ(row[0], std::to_string(player["userId"].get<int>()));
            EXPECT_EQ(row[1], ReadableTextUtf8(CodePointsToBytes(player["name"])));
            EXPECT_EQ(row[2], std::to_string(player["frags"].get<int>()));
            EXPECT_EQ(row[3], std::to_string(player["ping"].get<int>()));
            EXPECT_EQ(row[4], ReadableTextUtf8(CodePointsToBytes(player["skin"])));
            EXPECT_EQ(row[5], std::to_string(player["topColor"].get<int>()));
            EXPECT_EQ(row[6], std::to_string(player["bottomColor"].get<int>()));
            EXPECT_EQ(row[7], std::to_string(player["minutes"].get<int>()));
        }
    }
}

// A FIFO in a directory of its own, both removed when the object ends.
class TemporaryFifo
{
public:
    TemporaryFifo()
    {
        std::string pattern = "/tmp/tallyhawk-query-test-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        directory = pattern;
        path = directory + "/reply";
        if (mkfifo(path.c_str(), 0600) != 0)
            throw std::runtime_error("mkfifo failed");
    }
    ~TemporaryFifo()
    {
        unlink(path.c_str());
        rmdir(directory.c_str());
    }
    TemporaryFifo(const TemporaryFifo&) = delete;
    TemporaryFifo& operator=(const TemporaryFifo&) = delete;

    const std::string& Path() const { return path; }

private:
    std::string directory;
    std::string path;
};

TEST(QueryFromFileTest, FifoWithoutWriterEndsAtTheTimeoutAsNoReply)
{
    TemporaryFifo fifo;
    const ProcessResult result = RunQuery({"--from-file", fifo.Path(), "--timeout", "0.2"});
    EXPECT_EQ(result.exitCode, 1) << "-1: still waiting at the deadline";
    EXPECT_EQ(result.err, "Server Did Not Respond\n");
    EXPECT_EQ(result.out, "");
}

TEST(QueryFromFileTest, EndlessStreamIsCutOffLikeANetworkReply)
{
    TemporaryFifo fifo;
    // The writer sees the reader go away as EPIPE, not as a signal that ends the test.
    const auto previousHandler = std::signal(SIGPIPE, SIG_IGN);
    std::size_t written = 0;
    std::thread writer([&] {
        // Opening for writing fails until the reader has opened its end.
        int stream = -1;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (stream < 0 && std::chrono::steady_clock::now() < deadline) {
            stream = open(fifo.Path().c_str(), O_WRONLY | O_NONBLOCK);
            if (stream < 0)
                std::this_thread::yield();
        }
        if (stream < 0)
            return;
        fcntl(stream, F_SETFL, 0); // from now on each write waits for the reader
        std::string chunk = "\xff\xff\xff\xffn\\hostname\\endless stream\\map\\dm4\n";
        const std::string line = "1 2 3 4 \"player\" \"red\" 4 4\n";
        while (written < 64 * kMaxReplyBytesForTest) {
            while (chunk.size() < 4096)
                chunk += line;
            const ssize_t count = write(stream, chunk.data(), chunk.size());
            if (count <= 0)
                break;
            written += static_cast<std::size_t>(count);
            chunk.clear();
        }
        close(stream);
    });
    // The timeout is far away: only the bound on the reply's size can end this read.
    const ProcessResult result =
        RunQuery({"--from-file", fifo.Path(), "--json", "--timeout", "600"});
    writer.join();
    std::signal(SIGPIPE, previousHandler);

    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_GE(written, kMaxReplyBytesForTest);
    EXPECT_LT(written, 64 * kMaxReplyBytesForTest) << "the reader kept reading";
    const auto document = nlohmann::json::parse(result.out);
    EXPECT_EQ(document["players"].size(), 33u);
}

struct ExitCase
{
    const char* name;
    std::vector<std::string> arguments; // "{file}" stands for the fixture's path
    std::string fileBytes;
    int exitCode;
    std::string errorText; // expected within standard error
};

void PrintTo(const ExitCase& exitCase, std::ostream* out)
{
    *out << exitCase.name;
}

class QueryExitCodeTest : public testing::TestWithParam<ExitCase>
{};

TEST_P(QueryExitCodeTest, EndsWithDocumentedCodeAndMessage)
{
    const ExitCase& exitCase = GetParam();
    TemporaryFile file(exitCase.fileBytes);
    std::vector<std::string> arguments = exitCase.arguments;
    for (std::string& argument : arguments)
        if (const std::size_t at = argument.find("{file}"); at != std::string::npos)
            argument.replace(at, 6, file.Path());
    const ProcessResult result = RunQuery(arguments);
    EXPECT_EQ(result.exitCode, exitCase.exitCode) << result.err;
    EXPECT_NE(result.err.find(exitCase.errorText), std::string::npos) << result.err;
    if (exitCase.exitCode != 0) {
        EXPECT_EQ(result.out, "");
    }
}

const std::string kSmallReply = "\xff\xff\xff\xffn\\map\\dm2\n1 1 1 1 \"a\" \"b\" 1 1\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, QueryExitCodeTest,
    testing::Values(
        ExitCase{"EmptyFile", {"--from-file", "{file}"}, "", 1, "Server Did Not Respond\n"},
        ExitCase{"ZeroByteFirst",
                 {"--from-file", "{file}", "--json"},
                 std::string("\0\\map\\dm2\n", 10),
                 1,
                 "Server Did Not Respond\n"},
        ExitCase{"PrintHeaderOnly",
                 {"--from-file", "{file}", "--json"},
                 "\xff\xff\xff\xffn",
                 1,
                 "Server Did Not Respond\n"},
        ExitCase{"TimeoutNotANumber",
                 {"--from-file", "{file}", "--timeout", "nan"},
                 kSmallReply,
                 2,
                 "--timeout: nan is not a number of seconds"},
        ExitCase{"WatchNotANumber",
                 {"127.0.0.1", "--watch", "nan", "--count", "1"},
                 "",
                 2,
                 "--watch: nan is not a number of seconds"},
        ExitCase{"MissingFile",
                 {"--from-file", "/nonexistent/reply"},
                 "",
                 2,
                 "cannot read '/nonexistent/reply'"},
        ExitCase{"Directory", {"--from-file", "/"}, "", 2, "cannot read '/'"},
        ExitCase{
            "UnknownOption", {"--from-file", "{file}", "--colour"}, kSmallReply, 2, "--colour"},
        ExitCase{"UnknownTeamMode",
                 {"--from-file", "{file}", "--team-mode", "team"},
                 kSmallReply,
                 2,
                 "--team-mode"},
        ExitCase{"MissingFileArgument", {"--from-file"}, "", 2, "--from-file"},
        ExitCase{"NeitherServerNorFile", {"--json"}, "", 2, "give a server"},
        ExitCase{
            "FileAndServer", {"--from-file", "{file}", "localhost"}, kSmallReply, 2, "excludes"},
        ExitCase{"UnknownFormat",
                 {"--from-file", "{file}", "--format", "xml"},
                 kSmallReply,
                 2,
                 "--format: xml is not one of"},
        ExitCase{"FormatAndJson",
                 {"--from-file", "{file}", "--format", "csv", "--json"},
                 kSmallReply,
                 2,
                 "excludes"},
        ExitCase{"RawFormatOfAFile",
                 {"--from-file", "{file}", "--format", "raw"},
                 kSmallReply,
                 2,
                 "--format raw excludes --from-file"},
        ExitCase{"ValuesAfterEquals",
                 {"--from-file={file}", "--timeout=0.5", "--team1=-1", "--json"},
                 kSmallReply,
                 0,
                 ""},
        ExitCase{"FlagWithAValue",
                 {"--from-file", "{file}", "--json=yes"},
                 kSmallReply,
                 2,
                 "--json takes no value"},
        ExitCase{"AbbreviatedOption",
                 {"--from-file", "{file}", "--time", "1"},
                 kSmallReply,
                 2,
                 "unknown option --time"},
        ExitCase{"SecondServer", {"10.0.0.1", "10.0.0.2"}, "", 2, "one server only"},
        ExitCase{"CountOfZero",
                 {"10.0.0.1", "--watch", "1", "--count", "0"},
                 "",
                 2,
                 "--count: 0 is not a whole number"},
        ExitCase{"Help", {"--help"}, "", 0, ""}),
    [](const testing::TestParamInfo<ExitCase>& info) { return std::string(info.param.name); });

TEST(QueryHelpTest, ListsTheExitCodesInLinesThatFitATerminal)
{
    const ProcessResult result = RunQuery({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    for (const char* line :
         {"1  Server Did Not Respond", "2  bad option", "3  host name", "4  port out of range",
          "5  reply refused", "6  reply datagram", "7  other network failure"})
        EXPECT_NE(result.out.find(line), std::string::npos) << line;
    std::istringstream lines(result.out);
    for (std::string line; std::getline(lines, line);)
        EXPECT_LE(line.size(), 79u) << line;
}

} // namespace
