// SPDX-License-Identifier: GPL-2.0-or-later
// A match record: one JSON line per successful reply (docs/match-record.md), written by the
// window and by tallyhawk-query --record, read back by the timeline. Standard library only.
#pragma once

#include "status/Result.h"
#include "status/Standings.h"
#include "status/TeamMode.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kMatchRecordVersion = 1;

// What one line says besides the standings document: when, which server, with which teams.
// `recordingStarted` names the recording the line belongs to; appended recordings in one file
// are told apart by it.
struct RecordContext
{
    std::chrono::system_clock::time_point time;
    std::chrono::system_clock::time_point recordingStarted;
    std::string server; // HOST:PORT as the person gave it, bytes
    TeamMode teamMode = TeamMode::Skin;
    TeamTexts teamTexts;
    // An extended reply's standings carry each player's team and bot mark and the spectators.
    StatusLayout layout = StatusLayout::Plain;
};

// One whole line, ending in '\n'. Times are local ISO 8601 with milliseconds and the offset.
std::string FormatRecordLine(const RecordContext& context, const ReplyStandings& standings);

// Local ISO 8601 with milliseconds and offset ("2026-12-10T18:05:09.250+01:00"), and back to the
// instant; the parse accepts 'Z' and fractions of any length and fails on anything else.
std::string FormatLocalIsoTime(std::chrono::system_clock::time_point time);
Result<std::chrono::system_clock::time_point> ParseIsoTime(std::string_view text);

// One line read back: what the timeline needs to draw the totals again.
struct RecordEntry
{
    std::chrono::system_clock::time_point time;
    std::chrono::system_clock::time_point recordingStarted;
    std::string server;
    TeamMode teamMode = TeamMode::Skin;
    TeamTexts teamTexts;
    StandingsTotals totals;
    // The standings' serverinfo "status" value (where the match marks come from), or none when
    // the key is absent.
    std::optional<std::string> status;
};

// The lines of a record in file order. `notice` is empty when every line was read; otherwise one
// sentence saying how many lines were skipped (torn by a kill during a write, or not a record
// line of this version).
struct RecordContents
{
    std::vector<RecordEntry> entries;
    std::string notice;
};

// Fails, saying why, when the text holds no record line at all.
Result<RecordContents> ParseRecordText(std::string_view text);

// Reads and parses a file; fails with the file name and the reason (cannot be opened, too large,
// no record line).
Result<RecordContents> ReadRecordFile(const std::string& path);

// The entries of the last recording in the file: the last run of lines with the same recording
// start and server. Empty for empty input.
std::vector<RecordEntry> LastRecording(const std::vector<RecordEntry>& entries);
