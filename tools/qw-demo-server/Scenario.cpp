// SPDX-License-Identifier: GPL-2.0-or-later
// The scenarios by name: the match each one starts from and the datagrams it sends in answer.
#include "qw-demo-server/Scenario.h"

#include "qw-demo-server/StatusReplyWriter.h"
#include "status/StatusWireFormat.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<std::string_view, Scenario>, 12> kScenarios{{
    {"normal", Scenario::Normal},
    {"silent", Scenario::Silent},
    {"empty-datagram", Scenario::EmptyDatagram},
    {"oversize", Scenario::Oversize},
    {"exact-4096", Scenario::Exact4096},
    {"split", Scenario::Split},
    {"zero-byte", Scenario::ZeroByte},
    {"garbage", Scenario::Garbage},
    {"no-players", Scenario::NoPlayers},
    {"full", Scenario::Full},
    {"pickup", Scenario::Pickup},
    {"no-ack", Scenario::NoAck},
}};

std::string Joined(const std::vector<std::string>& pieces)
{
    std::string text;
    for (const std::string& piece : pieces)
        text += piece;
    return text;
}

// One datagram of exactly totalBytes (header and zero byte included), padded by a serverinfo
// pair "motd" whose value fills what the reply leaves.
std::string PaddedDatagram(const SimulatedMatch& match, int flags, std::size_t totalBytes)
{
    std::vector<ServerInfoPair> info = match.ServerInfo();
    info.push_back({"motd", ""});
    const std::size_t unpadded =
        ReplyDatagram(Joined(StatusReplyPieces(info, match.Clients(), flags))).size();
    info.back().value.assign(totalBytes > unpadded ? totalBytes - unpadded : 0, 'x');
    return ReplyDatagram(Joined(StatusReplyPieces(info, match.Clients(), flags)));
}

// Where the player line of the given index starts in the text (or the text's end).
std::size_t PlayerLineStart(const std::string& text, std::size_t line)
{
    std::size_t position = text.find('\n'); // the end of the serverinfo section
    for (std::size_t passed = 0; position != std::string::npos && passed < line; ++passed)
        position = text.find('\n', position + 1);
    return position == std::string::npos ? text.size() : position + 1;
}

} // namespace

std::optional<Scenario> ScenarioFromName(std::string_view name)
{
    for (const auto& [scenarioName, scenario] : kScenarios)
        if (scenarioName == name)
            return scenario;
    return std::nullopt;
}

std::vector<std::string> ScenarioNames()
{
    std::vector<std::string> names;
    for (const auto& entry : kScenarios)
        names.emplace_back(entry.first);
    return names;
}

MatchSettings SettingsForScenario(Scenario scenario, MatchSettings settings)
{
    if (scenario == Scenario::NoPlayers) {
        settings.players = 0;
        settings.spectator = false;
    } else if (scenario == Scenario::Full) {
        settings.players = kMaxClients;
        settings.longNames = true;
        settings.extendedServerInfo = true;
    }
    return settings;
}

bool ScenarioAcknowledgesPing(Scenario scenario)
{
    return scenario != Scenario::Silent && scenario != Scenario::NoAck;
}

std::vector<std::string> ScenarioReply(Scenario scenario, const SimulatedMatch& match, int flags,
                                       std::mt19937& random)
{
    const auto pieces = [&] {
        return StatusReplyPieces(match.ServerInfo(), match.Clients(), flags);
    };
    switch (scenario) {
    case Scenario::Silent:
        return {};
    case Scenario::EmptyDatagram:
        return {std::string()};
    case Scenario::Oversize:
        return {PaddedDatagram(match, flags, kOversizeDatagramBytes)};
    case Scenario::Exact4096:
        return {PaddedDatagram(match, flags, kMaxDatagramBytes)};
    case Scenario::Split: {
        const std::string text = Joined(pieces());
        const std::size_t lines =
            static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        const std::size_t middleLine = lines > 1 ? (lines - 1) / 2 : 0;
        const std::size_t start = PlayerLineStart(text, middleLine);
        const std::size_t end = std::min(text.size(), text.find('\n', start));
        const std::size_t cut = start + (end - start) / 2;
        return {ReplyDatagram(text.substr(0, cut)), ReplyDatagram(text.substr(cut))};
    }
    case Scenario::ZeroByte: {
        const std::string text = Joined(pieces());
        const std::size_t lines =
            static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        const std::size_t cut = PlayerLineStart(text, lines > 1 ? (lines - 1) / 2 : 0);
        return {ReplyDatagram(text.substr(0, cut) + '\0' + text.substr(cut))};
    }
    case Scenario::Garbage: {
        std::string bytes(std::uniform_int_distribution<std::size_t>(1, 1400)(random), '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
        return {bytes};
    }
    case Scenario::Normal:
    case Scenario::NoAck:
    case Scenario::NoPlayers:
    case Scenario::Full:
    case Scenario::Pickup: // the server passes the pickup game's standings in place of a match
        break;
    }
    return PackReplyDatagrams(pieces(), kServerPrintBufferBytes);
}
