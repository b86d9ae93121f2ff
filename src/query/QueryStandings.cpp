#include "QueryStandings.h"

#include "status/Standings.h"
#include "status/StatusReplyReader.h"

QueryStandings ReadQueryStandings(std::string_view replyText, TeamMode mode,
                                  const TeamTexts& teamTexts)
{
    QueryStandings standings;
    standings.teamTexts = teamTexts;
    ReadStatusReply(replyText, standings.model);
    standings.totals = ComputeStandingsTotals(standings.model, mode, teamTexts);
    OrderPlayersByFrags(standings.model);
    return standings;
}
