// SPDX-License-Identifier: GPL-2.0-or-later
// The match record: lines written by the writer and read back by the reader, through a real
// file: torn tails, appended recordings, a team setup that changes, files that cannot be written.

#include "query/MatchRecord.h"

#include "query/JsonOutput.h"
#include "query/RecordWriter.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using namespace std::chrono_literals;
using std::chrono::system_clock;

const system_clock::time_point kStart = system_clock::time_point(1'797'000'000'000ms);

// A folder of its own under the temporary folder, removed with its files at the end.
class TemporaryFolder
{
public:
    TemporaryFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "record-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TemporaryFolder() { std::filesystem::remove_all(path); }
    std::string File(const char* name) const { return (path / name).string(); }
    const std::filesystem::path& Path() const { return path; }

private:
    std::filesystem::path path;
};

void AppendRaw(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::app) << bytes;
}

ReplyStandings Standings(std::int32_t team1, std::int32_t team2, std::int32_t team3)
{
    ReplyStandings standings;
    standings.model.playerCount = 1;
    standings.model.serverEmpty = false;
    standings.model.players[0].name = "\xe5rik";
    standings.model.players[0].frags = team1 + team2 + team3;
    standings.totals = {team1 + team2 + team3, {team1, team2, team3}, 12};
    // A "status" pair after another one, left out when team 1 has no frags.
    ServerInfoTable& info = standings.model.serverInfo;
    info.infoKeys[0] = "hostname";
    info.infoValues[0] = "h";
    info.infoCount = 1;
    if (team1 != 0) {
        info.infoKeys[1] = "status";
        info.infoValues[1] = std::to_string(team1) + " min left";
        info.infoCount = 2;
    }
    return standings;
}

// One step of a scenario: a recording appends lines to the file (a new writer each time), or
// raw bytes are appended as a kill during a write would leave them.
struct Step
{
    int recording = 0;                     // 0: raw bytes instead
    std::vector<std::int32_t> team1Totals; // one line per value
    TeamMode mode = TeamMode::Skin;
    TeamTexts texts{"red", "blue", ""};
    std::string raw;
};

Step Record(int recording, std::vector<std::int32_t> team1Totals, TeamMode mode = TeamMode::Skin,
            TeamTexts texts = {"red", "blue", ""})
{
    return {recording, std::move(team1Totals), mode, std::move(texts), {}};
}

Step Raw(std::string bytes)
{
    return {0, {}, TeamMode::Skin, {}, std::move(bytes)};
}

RecordContext Context(system_clock::time_point time, system_clock::time_point recordingStarted,
                      std::string server = "h:1", TeamMode mode = TeamMode::Skin,
                      TeamTexts texts = {})
{
    RecordContext context;
    context.time = time;
    context.recordingStarted = recordingStarted;
    context.server = std::move(server);
    context.teamMode = mode;
    context.teamTexts = std::move(texts);
    return context;
}

struct RecordCase
{
    const char* name;
    std::vector<Step> steps;
    std::vector<std::int32_t> expectedTeam1; // every entry read back, in order
    std::size_t expectedLastRecording;       // entries of LastRecording
    bool expectNotice;
};

const RecordCase kCases[] = {
    {"OneRecording", {Record(1, {0, 3, 7})}, {0, 3, 7}, 3, false},
    {"TornLastLineIsSkippedWithOneNotice",
     {Record(1, {0, 3}), Raw("{\"version\":1,\"time\":\"2026-")},
     {0, 3},
     2,
     true},
    {"RecordingAfterTornLineStartsOnANewLine",
     {Record(1, {1}), Raw("{\"version\":1,\"ti"), Record(2, {5, 6})},
     {1, 5, 6},
     2,
     true},
    {"AppendedSecondRecordingIsItsOwnWatch",
     {Record(1, {1, 2, 3}), Record(2, {0, 4})},
     {1, 2, 3, 0, 4},
     2,
     false},
    {"TeamSetupChangeMidMatchStaysOneWatch",
     {Record(1, {1, 2}), Record(1, {9}, TeamMode::Color, {"4", "13", "\xe5"})},
     {1, 2, 9},
     3,
     false},
    {"ForeignAndNewerLinesAreSkipped",
     {Raw("not json\n{\"version\":2}\n"), Record(1, {4})},
     {4},
     1,
     true},
};

void PrintTo(const RecordCase& testCase, std::ostream* out)
{
    *out << testCase.name;
}

class MatchRecordTest : public testing::TestWithParam<RecordCase>
{};

TEST_P(MatchRecordTest, WrittenLinesReadBack)
{
    const RecordCase& testCase = GetParam();
    TemporaryFolder folder;
    const std::string path = folder.File("match.jsonl");
    std::vector<Step> written; // the step of each record line, for the expected setup
    int line = 0;
    for (const Step& step : testCase.steps) {
        if (step.recording == 0) {
            AppendRaw(path, step.raw);
            continue;
        }
        Result<std::unique_ptr<RecordWriter>> writer = RecordWriter::Open(path);
        ASSERT_TRUE(writer) << writer.Error();
        for (const std::int32_t team1 : step.team1Totals) {
            const RecordContext context =
                Context(kStart + 5s * ++line, kStart + 1h * step.recording, "host\xe5:27500",
                        step.mode, step.texts);
            const Result<bool> appended =
                (*writer)->Append(FormatRecordLine(context, Standings(team1, 2, 0)));
            ASSERT_TRUE(appended) << appended.Error();
            written.push_back(step);
        }
    }

    const Result<RecordContents> contents = ReadRecordFile(path);
    ASSERT_TRUE(contents) << contents.Error();
    std::vector<std::int32_t> team1;
    for (const RecordEntry& entry : contents->entries)
        team1.push_back(entry.totals.teamTotal[0]);
    EXPECT_EQ(team1, testCase.expectedTeam1);
    EXPECT_EQ(!contents->notice.empty(), testCase.expectNotice) << contents->notice;
    EXPECT_EQ(LastRecording(contents->entries).size(), testCase.expectedLastRecording);
    ASSERT_EQ(contents->entries.size(), written.size());
    for (std::size_t index = 0; index < written.size(); ++index) {
        const RecordEntry& entry = contents->entries[index];
        EXPECT_EQ(entry.time, kStart + 5s * static_cast<int>(index + 1));
        EXPECT_EQ(entry.recordingStarted, kStart + 1h * written[index].recording);
        EXPECT_EQ(entry.server, "host\xe5:27500");
        EXPECT_EQ(entry.teamMode, written[index].mode);
        EXPECT_EQ(entry.teamTexts, written[index].texts);
        EXPECT_EQ(entry.totals.teamTotal[1], 2);
        EXPECT_EQ(entry.totals.longestMinutes, 12);
        const std::int32_t team1 = entry.totals.teamTotal[0];
        EXPECT_EQ(entry.status,
                  team1 == 0 ? std::nullopt : std::optional(std::to_string(team1) + " min left"));
    }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, MatchRecordTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MatchRecordLineTest, StandingsMemberIsTheJsonDocumentOfTheQuery)
{
    const ReplyStandings standings = Standings(3, 4, 5);
    const std::string line = FormatRecordLine(
        Context(kStart, kStart, "h:1", TeamMode::Skin, {"a", "b", "c"}), standings);
    ASSERT_EQ(line.find('\n'), line.size() - 1);
    const nlohmann::json document = nlohmann::json::parse(line);
    EXPECT_EQ(document["version"], 1);
    EXPECT_EQ(document["standings"], nlohmann::json::parse(StandingsToJson(standings)));
    EXPECT_EQ(document["teams"], nlohmann::json::parse(R"({"mode":"skin","texts":["a","b","c"]})"));
}

TEST(MatchRecordLineTest, AnExtendedWatchByTeamKeepsItsModeAndTheTeamFields)
{
    ReplyStandings standings = Standings(3, 4, 5);
    standings.model.players[0].team = "red";
    RecordContext context = Context(kStart, kStart, "h:1", TeamMode::Team, {"red", "", ""});
    context.layout = StatusLayout::Extended;
    const std::string line = FormatRecordLine(context, standings);
    const nlohmann::json document = nlohmann::json::parse(line);
    EXPECT_EQ(document["teams"]["mode"], "team");
    EXPECT_EQ(document["standings"]["players"][0]["team"], "red");
    EXPECT_TRUE(document["standings"].contains("spectators"));
    const Result<RecordContents> contents = ParseRecordText(line);
    ASSERT_TRUE(contents);
    ASSERT_EQ(contents->entries.size(), 1u);
    EXPECT_EQ(contents->entries[0].teamMode, TeamMode::Team);
}

TEST(MatchRecordWriterTest, UnwritableFilesAreReportedNamingTheFile)
{
    TemporaryFolder folder;
    const std::string line = FormatRecordLine(Context(kStart, kStart), Standings(1, 1, 1));

    const std::string missingFolder = folder.File("gone/match.jsonl");
    const Result<std::unique_ptr<RecordWriter>> notOpened = RecordWriter::Open(missingFolder);
    ASSERT_FALSE(notOpened);
    EXPECT_NE(notOpened.Error().find(missingFolder), std::string::npos) << notOpened.Error();

    // A full disk: every write to /dev/full fails with ENOSPC.
    Result<std::unique_ptr<RecordWriter>> full = RecordWriter::Open("/dev/full");
    ASSERT_TRUE(full) << full.Error();
    const Result<bool> fullWrite = (*full)->Append(line);
    ASSERT_FALSE(fullWrite);
    EXPECT_NE(fullWrite.Error().find("No space"), std::string::npos) << fullWrite.Error();

    // The folder removed while recording: the writes would vanish with the file.
    const std::filesystem::path inner = folder.Path() / "inner";
    std::filesystem::create_directory(inner);
    Result<std::unique_ptr<RecordWriter>> removed =
        RecordWriter::Open((inner / "m.jsonl").string());
    ASSERT_TRUE(removed) << removed.Error();
    ASSERT_TRUE((*removed)->Append(line));
    std::filesystem::remove_all(inner);
    const Result<bool> afterRemoval = (*removed)->Append(line);
    ASSERT_FALSE(afterRemoval);
    EXPECT_NE(afterRemoval.Error().find("removed"), std::string::npos) << afterRemoval.Error();
}

TEST(MatchRecordReaderTest, FilesWithoutRecordLinesFailSayingWhy)
{
    TemporaryFolder folder;
    for (const std::string& text :
         {std::string(), std::string("{\"version\":1}\n"), std::string("\xff\xfe garbage")}) {
        SCOPED_TRACE(text);
        const std::string path = folder.File("other.jsonl");
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        const Result<RecordContents> contents = ReadRecordFile(path);
        ASSERT_FALSE(contents);
        EXPECT_NE(contents.Error().find("no match-record line"), std::string::npos);
    }
    const Result<RecordContents> missing = ReadRecordFile(folder.File("absent.jsonl"));
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.Error().find("cannot be opened"), std::string::npos);
}

TEST(MatchRecordTimeTest, IsoTimesParseToTheirInstant)
{
    struct TimeCase
    {
        const char* text;
        std::optional<std::chrono::milliseconds> sinceEpoch;
    };
    const TimeCase cases[] = {
        {"1970-01-01T00:00:00Z", 0ms},
        {"1970-01-01T01:00:00.5+01:00", 500ms},
        {"1969-12-31T19:00:01.250-05:00", 1250ms},
        {"2024-02-29T12:00:00.000+00:00", 1'709'208'000'000ms},
        {"2023-02-29T12:00:00Z", std::nullopt},
        {"2024-01-01T12:00:00", std::nullopt},
        {"2024-01-01T12:00:00+0100", std::nullopt},
        {"2024-01-01 12:00:00Z", std::nullopt},
        {"2024-01-01T12:00:00Zjunk", std::nullopt},
        {"", std::nullopt},
    };
    for (const TimeCase& testCase : cases) {
        SCOPED_TRACE(testCase.text);
        const Result<system_clock::time_point> parsed = ParseIsoTime(testCase.text);
        ASSERT_EQ(parsed.HasValue(), testCase.sinceEpoch.has_value());
        if (parsed) {
            EXPECT_EQ(parsed->time_since_epoch(), *testCase.sinceEpoch);
        }
    }
    // Whatever the local zone, the written form reads back to the same millisecond.
    const system_clock::time_point now =
        std::chrono::time_point_cast<std::chrono::milliseconds>(system_clock::now());
    const Result<system_clock::time_point> roundTrip = ParseIsoTime(FormatLocalIsoTime(now));
    ASSERT_TRUE(roundTrip);
    EXPECT_EQ(*roundTrip, now);
}

} // namespace
