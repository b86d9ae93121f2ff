// SPDX-License-Identifier: GPL-2.0-or-later
// The standings and the watch's events as JSON lines, members in the documented order.
#include "query/JsonOutput.h"

#include "query/JsonLine.h"

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

namespace {

void WritePlayer(JsonLine& json, const PlayerEntry& player, bool extended)
{
    json.BeginObject();
    json.Number("userId", player.userId);
    json.Number("frags", player.frags);
    json.Number("minutes", player.minutes);
    json.Number("ping", player.ping);
    json.Bytes("name", player.name);
    json.Bytes("skin", player.skin);
    json.Number("topColor", player.topColor);
    json.Number("bottomColor", player.bottomColor);
    if (extended) {
        json.Bytes("team", player.team);
        json.Bool("bot", player.bot);
    }
    json.EndObject();
}

} // namespace

std::string StandingsToJson(const ReplyStandings& standings, StatusLayout layout)
{
    const StatusModel& model = standings.model;
    JsonLine json(2048);
    json.BeginObject();
    json.Key("serverinfo").BeginArray();
    for (std::int32_t pair = 0; pair < model.serverInfo.infoCount; ++pair) {
        json.BeginArray();
        json.Bytes(model.serverInfo.infoKeys[pair]);
        json.Bytes(model.serverInfo.infoValues[pair]);
        json.EndArray();
    }
    json.EndArray();

    const bool extended = layout == StatusLayout::Extended;
    json.Key("players").BeginArray();
    for (std::int32_t row = 0; row < model.playerCount; ++row)
        WritePlayer(json, model.players[row], extended);
    json.EndArray();
    if (extended) {
        json.Key("spectators").BeginArray();
        for (const PlayerEntry& spectator : model.spectators)
            WritePlayer(json, spectator, extended);
        json.EndArray();
    }
    json.Bool("serverEmpty", model.serverEmpty);

    json.Key("totals").BeginObject();
    json.Number("totalFrags", standings.totals.totalFrags);
    json.Key("teamTotal").BeginArray();
    for (const std::int32_t total : standings.totals.teamTotal)
        json.Number(total);
    json.EndArray();
    json.Number("longestMinutes", standings.totals.longestMinutes);
    json.EndObject();
    json.EndObject();
    return json.Take();
}

std::string WatchEventToJson(const WatchEvent& event, const std::string& time)
{
    JsonLine json;
    json.BeginObject();
    json.Bytes("time", time);
    json.Bytes("event", WatchEventName(event));
    switch (event.kind) {
    case WatchEventKind::Join:
    case WatchEventKind::Leave:
        if (event.players.size() == 1) {
            json.Bytes("name", event.players.front().name);
            json.Number("userid", event.players.front().userId);
            break;
        }
        json.Number("count", static_cast<std::int64_t>(event.players.size()));
        json.Key("players").BeginArray();
        for (const EventPlayer& player : event.players) {
            json.BeginObject();
            json.Bytes("name", player.name);
            json.Number("userid", player.userId);
            json.EndObject();
        }
        json.EndArray();
        break;
    case WatchEventKind::Players:
        json.Number("count", event.playerCount);
        json.Number("threshold", event.threshold);
        break;
    case WatchEventKind::Full:
        json.Number("count", event.playerCount);
        json.Number("maxclients", event.threshold);
        break;
    case WatchEventKind::MatchStart:
    case WatchEventKind::MatchEnd:
        if (event.status.empty() && event.kind == WatchEventKind::MatchEnd)
            json.Key("status").Null(); // the key went away
        else
            json.Bytes("status", event.status);
        break;
    }
    json.EndObject();
    return json.Take();
}
