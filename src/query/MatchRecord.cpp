// SPDX-License-Identifier: GPL-2.0-or-later
// The match-record line: written as the --json standings document inside a small envelope,
// read back leniently line by line, since the last line of a killed recording may be torn.
#include "query/MatchRecord.h"

#include "query/ByteText.h"
#include "query/JsonOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>

namespace {

using Json = nlohmann::ordered_json;
using std::chrono::system_clock;

// A day of replies every 5 seconds is a few tens of megabytes; far beyond that is not a record.
constexpr std::uintmax_t kMaxRecordBytes = 512u * 1024 * 1024;

Json TextsToJson(const TeamTexts& texts)
{
    Json array = Json::array();
    for (const std::string& text : texts)
        array.push_back(BytesToCodePoints(text));
    return array;
}

bool ReadNumber(std::string_view text, std::size_t& at, std::size_t digits, int& value)
{
    if (at + digits > text.size())
        return false;
    value = 0;
    for (std::size_t index = 0; index < digits; ++index) {
        const char digit = text[at + index];
        if (digit < '0' || digit > '9')
            return false;
        value = value * 10 + (digit - '0');
    }
    at += digits;
    return true;
}

bool Expect(std::string_view text, std::size_t& at, char wanted)
{
    if (at >= text.size() || text[at] != wanted)
        return false;
    ++at;
    return true;
}

std::optional<std::string> BytesFrom(const nlohmann::json& value)
{
    if (!value.is_string())
        return std::nullopt;
    return CodePointsToBytes(value.get_ref<const std::string&>());
}

// One line to an entry, or nothing when the line is not a whole record line of this version.
std::optional<RecordEntry> ParseRecordLine(std::string_view line)
{
    const nlohmann::json document = nlohmann::json::parse(line, nullptr, false);
    if (document.is_discarded() || !document.is_object())
        return std::nullopt;
    const auto version = document.find("version");
    if (version == document.end() || !version->is_number_integer() ||
        version->get<long long>() != kMatchRecordVersion)
        return std::nullopt;

    RecordEntry entry;
    for (const auto& [key, target] :
         {std::pair{"time", &entry.time}, std::pair{"recordingStarted", &entry.recordingStarted}}) {
        const auto field = document.find(key);
        if (field == document.end() || !field->is_string())
            return std::nullopt;
        const Result<system_clock::time_point> time =
            ParseIsoTime(field->get_ref<const std::string&>());
        if (!time)
            return std::nullopt;
        *target = *time;
    }
    const auto server = document.find("server");
    if (server == document.end())
        return std::nullopt;
    std::optional<std::string> serverBytes = BytesFrom(*server);
    if (!serverBytes)
        return std::nullopt;
    entry.server = std::move(*serverBytes);

    const auto teams = document.find("teams");
    if (teams == document.end() || !teams->is_object())
        return std::nullopt;
    const auto mode = teams->find("mode");
    if (mode == teams->end() || !mode->is_string())
        return std::nullopt;
    if (*mode == "color")
        entry.teamMode = TeamMode::Color;
    else if (*mode == "skin")
        entry.teamMode = TeamMode::Skin;
    else if (*mode == "team")
        entry.teamMode = TeamMode::Team;
    else
        return std::nullopt;
    const auto texts = teams->find("texts");
    if (texts == teams->end() || !texts->is_array() || texts->size() != entry.teamTexts.size())
        return std::nullopt;
    for (std::size_t team = 0; team < entry.teamTexts.size(); ++team) {
        std::optional<std::string> text = BytesFrom((*texts)[team]);
        if (!text)
            return std::nullopt;
        entry.teamTexts[team] = std::move(*text);
    }

    const auto standings = document.find("standings");
    if (standings == document.end() || !standings->is_object())
        return std::nullopt;
    const auto totals = standings->find("totals");
    if (totals == standings->end() || !totals->is_object())
        return std::nullopt;
    const auto readInt = [&](const nlohmann::json& value, std::int32_t& target) {
        if (!value.is_number_integer())
            return false;
        const long long number = value.get<long long>();
        if (number < INT32_MIN || number > INT32_MAX)
            return false;
        target = static_cast<std::int32_t>(number);
        return true;
    };
    const auto totalFrags = totals->find("totalFrags");
    const auto teamTotal = totals->find("teamTotal");
    const auto longest = totals->find("longestMinutes");
    if (totalFrags == totals->end() || teamTotal == totals->end() || longest == totals->end() ||
        !readInt(*totalFrags, entry.totals.totalFrags) ||
        !readInt(*longest, entry.totals.longestMinutes) || !teamTotal->is_array() ||
        teamTotal->size() != entry.totals.teamTotal.size())
        return std::nullopt;
    for (std::size_t team = 0; team < entry.totals.teamTotal.size(); ++team)
        if (!readInt((*teamTotal)[team], entry.totals.teamTotal[team]))
            return std::nullopt;
    // Only the first "status" pair counts, as in a live reply; a pair of another shape is passed
    // over rather than costing the line its totals.
    const auto serverInfo = standings->find("serverinfo");
    if (serverInfo != standings->end() && serverInfo->is_array())
        for (const nlohmann::json& pair : *serverInfo) {
            if (!pair.is_array() || pair.size() != 2 || !pair[0].is_string() ||
                pair[0].get_ref<const std::string&>() != "status")
                continue;
            entry.status = BytesFrom(pair[1]);
            break;
        }
    return entry;
}

} // namespace

std::string FormatLocalIsoTime(system_clock::time_point time)
{
    const auto milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
    std::time_t seconds = static_cast<std::time_t>(milliseconds / 1000);
    long long fraction = milliseconds % 1000;
    if (fraction < 0) {
        fraction += 1000;
        --seconds;
    }
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[48];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    const long offsetMinutes = local.tm_gmtoff / 60;
    const long absolute = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    std::snprintf(text + length, sizeof text - length, ".%03lld%c%02ld:%02ld", fraction,
                  offsetMinutes < 0 ? '-' : '+', absolute / 60, absolute % 60);
    return text;
}

Result<system_clock::time_point> ParseIsoTime(std::string_view text)
{
    std::size_t at = 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!ReadNumber(text, at, 4, year) || !Expect(text, at, '-') ||
        !ReadNumber(text, at, 2, month) || !Expect(text, at, '-') ||
        !ReadNumber(text, at, 2, day) || !Expect(text, at, 'T') || !ReadNumber(text, at, 2, hour) ||
        !Expect(text, at, ':') || !ReadNumber(text, at, 2, minute) || !Expect(text, at, ':') ||
        !ReadNumber(text, at, 2, second))
        return Fail("not an ISO 8601 time");
    const std::chrono::year_month_day date{std::chrono::year(year),
                                           std::chrono::month(static_cast<unsigned>(month)),
                                           std::chrono::day(static_cast<unsigned>(day))};
    if (!date.ok() || hour > 23 || minute > 59 || second > 60)
        return Fail("not a valid date and time");
    long long milliseconds = 0;
    if (at < text.size() && text[at] == '.') {
        ++at;
        const std::size_t digitsStart = at;
        long long scale = 100;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            milliseconds += (text[at] - '0') * scale;
            scale /= 10;
            ++at;
        }
        if (at == digitsStart)
            return Fail("not an ISO 8601 time");
    }
    int offsetMinutes = 0;
    if (at < text.size() && text[at] == 'Z') {
        ++at;
    } else if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        const int sign = text[at++] == '-' ? -1 : 1;
        int offsetHours = 0, offsetRest = 0;
        if (!ReadNumber(text, at, 2, offsetHours) || !Expect(text, at, ':') ||
            !ReadNumber(text, at, 2, offsetRest) || offsetHours > 23 || offsetRest > 59)
            return Fail("not an ISO 8601 offset");
        offsetMinutes = sign * (offsetHours * 60 + offsetRest);
    } else {
        return Fail("an ISO 8601 time needs its offset");
    }
    if (at != text.size())
        return Fail("not an ISO 8601 time");
    return system_clock::time_point(
        std::chrono::sys_days(date).time_since_epoch() + std::chrono::hours(hour) +
        std::chrono::minutes(minute) + std::chrono::seconds(second) +
        std::chrono::milliseconds(milliseconds) - std::chrono::minutes(offsetMinutes));
}

namespace {

const char* TeamModeName(TeamMode mode)
{
    switch (mode) {
    case TeamMode::Color:
        return "color";
    case TeamMode::Team:
        return "team";
    case TeamMode::Skin:
        break;
    }
    return "skin";
}

} // namespace

std::string FormatRecordLine(const RecordContext& context, const ReplyStandings& standings)
{
    Json envelope = Json::object();
    envelope["version"] = kMatchRecordVersion;
    envelope["time"] = FormatLocalIsoTime(context.time);
    envelope["recordingStarted"] = FormatLocalIsoTime(context.recordingStarted);
    envelope["server"] = BytesToCodePoints(context.server);
    envelope["teams"] = Json::object(
        {{"mode", TeamModeName(context.teamMode)}, {"texts", TextsToJson(context.teamTexts)}});
    std::string line = EscapeC1Controls(envelope.dump());
    line.pop_back(); // the closing brace: the standings document goes last
    line += ",\"standings\":";
    line += StandingsToJson(standings, context.layout);
    line += "}\n";
    return line;
}

Result<RecordContents> ParseRecordText(std::string_view text)
{
    RecordContents contents;
    std::size_t skipped = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.find_first_not_of(" \t\r") == std::string_view::npos)
            continue;
        if (std::optional<RecordEntry> entry = ParseRecordLine(line))
            contents.entries.push_back(std::move(*entry));
        else
            ++skipped;
    }
    if (contents.entries.empty())
        return Fail(std::string("it holds no match-record line"));
    if (skipped == 1)
        contents.notice = "1 line was skipped: it was torn (cut short when the recording was "
                          "stopped during a write) or is not a match-record line.";
    else if (skipped > 1)
        contents.notice = std::to_string(skipped) +
                          " lines were skipped: they were torn (cut short when the recording was "
                          "stopped during a write) or are not match-record lines.";
    return contents;
}

Result<RecordContents> ReadRecordFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return Fail(path + ": cannot be opened: " + std::strerror(errno));
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0)
        return Fail(path + ": cannot be read");
    if (static_cast<std::uintmax_t>(size) > kMaxRecordBytes)
        return Fail(path + ": too large for a match record");
    file.seekg(0);
    std::string text(static_cast<std::size_t>(size), '\0');
    if (!file.read(text.data(), size))
        return Fail(path + ": cannot be read");
    Result<RecordContents> contents = ParseRecordText(text);
    if (!contents)
        return Fail(path + ": " + contents.Error());
    return contents;
}

std::vector<RecordEntry> LastRecording(const std::vector<RecordEntry>& entries)
{
    std::size_t first = entries.size();
    while (first > 0 && entries[first - 1].recordingStarted == entries.back().recordingStarted &&
           entries[first - 1].server == entries.back().server)
        --first;
    return {entries.begin() + static_cast<std::ptrdiff_t>(first), entries.end()};
}
