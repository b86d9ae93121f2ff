// SPDX-License-Identifier: GPL-2.0-or-later
// One reply source's result as output: the failure, "Server Did Not Respond", the raw bytes or
// the standings in the chosen format, and the exit code that goes with it.
#include "query/ReplyPrinter.h"

#include "query/CsvOutput.h"
#include "query/JsonOutput.h"
#include "query/MarkdownOutput.h"
#include "query/QueryStandings.h"
#include "query/TextOutput.h"
#include "status/ReplyDatagram.h"

int PrintReply(const ReplyResult& result, const QueryOptions& options, std::ostream& out,
               std::ostream& err)
{
    if (!result) {
        err << "tallyhawk-query: " << result.Error().message << "\n";
        return ToInt(result.Error().code);
    }
    const std::string& text = *result;
    if (IsEmptyReplyText(text)) {
        err << "Server Did Not Respond\n";
        return ToInt(ExitCode::NoReply);
    }
    if (options.format == OutputFormat::Raw) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        return ToInt(ExitCode::Success);
    }
    const StatusLayout layout = options.request.layout;
    const QueryStandings standings{
        ReadReplyStandings(text, options.teamMode, options.teamTexts, layout), options.teamTexts,
        layout};
    switch (options.format) {
    case OutputFormat::Json:
        out << StandingsToJson(standings, standings.layout) << "\n";
        break;
    case OutputFormat::Csv:
        WriteStandingsCsv(out, standings);
        break;
    case OutputFormat::Markdown:
        WriteStandingsMarkdown(out, standings);
        break;
    case OutputFormat::Table:
    case OutputFormat::Raw:
        WriteStandingsText(out, standings);
        break;
    }
    out.flush();
    return ToInt(ExitCode::Success);
}
