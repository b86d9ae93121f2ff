#include "JsonOutput.h"

#include "ByteText.h"

#include <nlohmann/json.hpp>

std::string StandingsToJson(const QueryStandings& standings)
{
    // ordered_json keeps the members in the documented order.
    using Json = nlohmann::ordered_json;
    const StatusModel& model = standings.model;

    Json serverInfo = Json::array();
    for (std::int32_t pair = 0; pair < model.serverInfo.infoCount; ++pair)
        serverInfo.push_back(Json::array({BytesToCodePoints(model.serverInfo.infoKeys[pair]),
                                          BytesToCodePoints(model.serverInfo.infoValues[pair])}));

    Json players = Json::array();
    for (std::int32_t row = 0; row < model.playerCount; ++row) {
        const PlayerEntry& player = model.players[row];
        Json entry = Json::object();
        entry["userId"] = player.userId;
        entry["frags"] = player.frags;
        entry["minutes"] = player.minutes;
        entry["ping"] = player.ping;
        entry["name"] = BytesToCodePoints(player.name);
        entry["skin"] = BytesToCodePoints(player.skin);
        entry["topColor"] = player.topColor;
        entry["bottomColor"] = player.bottomColor;
        players.push_back(std::move(entry));
    }

    Json totals = Json::object();
    totals["totalFrags"] = standings.totals.totalFrags;
    totals["teamTotal"] = standings.totals.teamTotal;
    totals["longestMinutes"] = standings.totals.longestMinutes;

    Json document = Json::object();
    document["serverinfo"] = std::move(serverInfo);
    document["players"] = std::move(players);
    document["serverEmpty"] = model.serverEmpty;
    document["totals"] = std::move(totals);
    return document.dump();
}
