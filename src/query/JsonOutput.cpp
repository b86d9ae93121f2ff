// SPDX-License-Identifier: GPL-2.0-or-later
// The standings as one JSON object, members in the documented order, server text as code points
// with C1 controls escaped so that no output byte acts on a terminal.
#include "query/JsonOutput.h"

#include "query/ByteText.h"

#include <nlohmann/json.hpp>

// A C1 control is UTF-8 C2 80 to C2 9F (U+009B is CSI). C2 is always a lead byte in valid UTF-8,
// so the pair cannot be found inside another character.
std::string EscapeC1Controls(const std::string& json)
{
    std::string out;
    out.reserve(json.size());
    for (std::size_t index = 0; index < json.size(); ++index) {
        const auto byte = static_cast<unsigned char>(json[index]);
        const auto next = index + 1 < json.size() ? static_cast<unsigned char>(json[index + 1]) : 0;
        if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            static constexpr char kHexDigits[] = "0123456789abcdef";
            out += "\\u00";
            out += kHexDigits[next >> 4];
            out += kHexDigits[next & 0xF];
            ++index;
        } else {
            out += json[index];
        }
    }
    return out;
}

std::string StandingsToJson(const ReplyStandings& standings, StatusLayout layout)
{
    // ordered_json keeps the members in the documented order.
    using Json = nlohmann::ordered_json;
    const StatusModel& model = standings.model;

    Json serverInfo = Json::array();
    for (std::int32_t pair = 0; pair < model.serverInfo.infoCount; ++pair)
        serverInfo.push_back(Json::array({BytesToCodePoints(model.serverInfo.infoKeys[pair]),
                                          BytesToCodePoints(model.serverInfo.infoValues[pair])}));

    const bool extended = layout == StatusLayout::Extended;
    const auto entryOf = [extended](const PlayerEntry& player) {
        Json entry = Json::object();
        entry["userId"] = player.userId;
        entry["frags"] = player.frags;
        entry["minutes"] = player.minutes;
        entry["ping"] = player.ping;
        entry["name"] = BytesToCodePoints(player.name);
        entry["skin"] = BytesToCodePoints(player.skin);
        entry["topColor"] = player.topColor;
        entry["bottomColor"] = player.bottomColor;
        if (extended) {
            entry["team"] = BytesToCodePoints(player.team);
            entry["bot"] = player.bot;
        }
        return entry;
    };
    Json players = Json::array();
    for (std::int32_t row = 0; row < model.playerCount; ++row)
        players.push_back(entryOf(model.players[row]));

    Json totals = Json::object();
    totals["totalFrags"] = standings.totals.totalFrags;
    totals["teamTotal"] = standings.totals.teamTotal;
    totals["longestMinutes"] = standings.totals.longestMinutes;

    Json document = Json::object();
    document["serverinfo"] = std::move(serverInfo);
    document["players"] = std::move(players);
    if (extended) {
        Json spectators = Json::array();
        for (const PlayerEntry& spectator : model.spectators)
            spectators.push_back(entryOf(spectator));
        document["spectators"] = std::move(spectators);
    }
    document["serverEmpty"] = model.serverEmpty;
    document["totals"] = std::move(totals);
    return EscapeC1Controls(document.dump());
}

std::string WatchEventToJson(const WatchEvent& event, const std::string& time)
{
    using Json = nlohmann::ordered_json;
    Json document = Json::object();
    document["time"] = time;
    document["event"] = WatchEventName(event);
    switch (event.kind) {
    case WatchEventKind::Join:
    case WatchEventKind::Leave:
        if (event.players.size() == 1) {
            document["name"] = BytesToCodePoints(event.players.front().name);
            document["userid"] = event.players.front().userId;
            break;
        }
        document["count"] = event.players.size();
        document["players"] = Json::array();
        for (const EventPlayer& player : event.players)
            document["players"].push_back(
                Json{{"name", BytesToCodePoints(player.name)}, {"userid", player.userId}});
        break;
    case WatchEventKind::Players:
        document["count"] = event.playerCount;
        document["threshold"] = event.threshold;
        break;
    case WatchEventKind::Full:
        document["count"] = event.playerCount;
        document["maxclients"] = event.threshold;
        break;
    case WatchEventKind::MatchStart:
    case WatchEventKind::MatchEnd:
        document["status"] = event.status.empty() && event.kind == WatchEventKind::MatchEnd
                                 ? Json(nullptr)
                                 : Json(BytesToCodePoints(event.status));
        break;
    }
    return EscapeC1Controls(document.dump());
}
