// SPDX-License-Identifier: GPL-2.0-or-later
// The standings as one JSON object, members in the documented order, server text as code points
// with C1 controls escaped so that no output byte acts on a terminal.
#include "query/JsonOutput.h"

#include "query/ByteText.h"

#include <nlohmann/json.hpp>

namespace {

// The serializer escapes only C0 controls. A C1 control (U+0080 to U+009F, UTF-8 C2 80 to C2 9F)
// written raw to a terminal acts on it (U+009B is CSI), so those are escaped too. C2 is always a
// lead byte in valid UTF-8, so the pair cannot be found inside another character.
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

} // namespace

std::string StandingsToJson(const QueryStandings& standings)
{
    // ordered_json keeps the members in the documented order.
    using Json = nlohmann::ordered_json;
    const StatusModel& model = standings.model;

    Json serverInfo = Json::array();
    for (std::int32_t pair = 0; pair < model.serverInfo.infoCount; ++pair)
        serverInfo.push_back(Json::array({BytesToCodePoints(model.serverInfo.infoKeys[pair]),
                                          BytesToCodePoints(model.serverInfo.infoValues[pair])}));

    const bool extended = standings.layout == StatusLayout::Extended;
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
