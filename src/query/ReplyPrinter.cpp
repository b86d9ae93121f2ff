// SPDX-License-Identifier: GPL-2.0-or-later
// One reply source's result as output: the failure, "Server Did Not Respond", the raw bytes, the
// JSON object or the text table, and the exit code that goes with it.
#include "query/ReplyPrinter.h"

#include "query/JsonOutput.h"
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
    if (options.raw) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        return ToInt(ExitCode::Success);
    }
    const StatusLayout layout = options.request.layout;
    const QueryStandings standings{
        ReadReplyStandings(text, options.teamMode, options.teamTexts, layout), options.teamTexts,
        layout};
    if (options.json)
        out << StandingsToJson(standings) << "\n";
    else
        WriteStandingsText(out, standings);
    out.flush();
    return ToInt(ExitCode::Success);
}
