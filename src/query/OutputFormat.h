// SPDX-License-Identifier: GPL-2.0-or-later
// The forms tallyhawk-query prints a reply in (--format, with --json and --raw as short forms).
#pragma once

enum class OutputFormat
{
    Table,    // the text table for the terminal (TextOutput.h)
    Json,     // one JSON object on one line (JsonOutput.h)
    Csv,      // one row per player (CsvOutput.h)
    Markdown, // serverinfo, players and totals as Markdown tables (MarkdownOutput.h)
    Raw,      // the collected reply bytes, for --from-file
};
