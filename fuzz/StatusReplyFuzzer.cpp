// SPDX-License-Identifier: GPL-2.0-or-later
// libFuzzer target over the status core: any bytes as a reply, joined from datagrams, read,
// totalled and ordered. It checks what must hold for every input and traps on a violation; ASan
// catches stray accesses.

#include "status/DecimalText.h"
#include "status/ReplyDatagram.h"
#include "status/Standings.h"
#include "status/StatusReplyReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

bool Contains(std::string_view text, char c)
{
    return text.find(c) != std::string_view::npos;
}

std::int32_t Saturate(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// The conversion must agree with the C library's, clamped to 32 bits (strtoll itself clamps to
// 64 bits, which the clamp to 32 bits makes invisible).
void CheckDecimalConversion(std::string_view text)
{
    const std::string prefix(text.substr(0, text.find('\0')));
    const long long expected = std::strtoll(prefix.c_str(), nullptr, 10);
    Check(DecimalTextToInt(prefix) == Saturate(expected));
}

// Cut anywhere into datagrams that each carry their own print header and zero byte, a reply text
// joins back into exactly one header and the text.
void CheckDatagramJoin(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    if (text.starts_with(kPrintHeader))
        text.remove_prefix(kPrintHeader.size());
    text = text.substr(0, kMaxReplyTextBytes - kPrintHeader.size());
    const std::size_t pieceLength =
        text.empty() ? 1 : 1 + static_cast<std::uint8_t>(text.front()) % 97;
    std::string joined;
    std::size_t start = 0;
    do {
        const std::string_view piece = text.substr(start, pieceLength);
        AppendReplyDatagram(joined, std::string(kPrintHeader) + std::string(piece) + '\0');
        Check(!Contains(joined, '\0') && joined.size() <= kMaxReplyTextBytes);
        start += piece.size();
    } while (start < text.size());
    Check(joined == std::string(kPrintHeader) + std::string(text));
}

void CheckModel(std::string_view text, const StatusModel& model)
{
    const ServerInfoTable& info = model.serverInfo;
    Check(info.infoCount >= 0 && info.infoCount <= kMaxServerInfoPairs);
    Check(model.playerCount >= 0 && model.playerCount <= kMaxPlayers);
    Check(model.serverEmpty == (model.playerCount == 0));
    if (!Contains(text, '\\'))
        Check(info.infoCount == 0 && model.playerCount == 0);

    for (std::int32_t index = 0; index < info.infoCount; ++index) {
        for (const std::string& field : {info.infoKeys[index], info.infoValues[index]}) {
            Check(!Contains(field, '\\') && !Contains(field, '\n'));
            Check(text.find(field) != std::string_view::npos);
        }
    }
    for (std::int32_t row = 0; row < model.playerCount; ++row) {
        const PlayerEntry& player = model.players[row];
        Check(player.ping <= 9999);
        for (const std::string& field : {player.name, player.skin}) {
            Check(!Contains(field, '"') && !Contains(field, '\n'));
            Check(text.find(field) != std::string_view::npos);
        }
    }
}

// The extended reading keeps the same bounds, and each spectator, player, team and bot mark comes
// from the text.
void CheckExtendedModel(std::string_view text, const StatusModel& model)
{
    Check(model.playerCount >= 0 && model.playerCount <= kMaxPlayers);
    Check(model.spectators.size() <= static_cast<std::size_t>(kMaxPlayers));
    Check(model.serverEmpty == (model.playerCount == 0));
    std::vector<PlayerEntry> clients(model.players.begin(),
                                     model.players.begin() + model.playerCount);
    clients.insert(clients.end(), model.spectators.begin(), model.spectators.end());
    for (const PlayerEntry& client : clients) {
        Check(client.ping <= 9999);
        for (const std::string& field : {client.name, client.skin, client.team}) {
            Check(!Contains(field, '"') && !Contains(field, '\n'));
            Check(text.find(field) != std::string_view::npos);
        }
        Check(!client.bot || text.find("\"b\"") != std::string_view::npos);
    }
}

// Totals recomputed the plain way, in 64 bits and clamped after every step.
StandingsTotals ReferenceTotals(const StatusModel& model, TeamMode mode, const TeamTexts& texts)
{
    StandingsTotals totals;
    for (std::int32_t row = 0; row < model.playerCount; ++row) {
        const PlayerEntry& player = model.players[row];
        totals.totalFrags = Saturate(std::int64_t{totals.totalFrags} + player.frags);
        for (std::size_t team = 0; team < texts.size(); ++team) {
            const std::string& field = mode == TeamMode::Team ? player.team : player.skin;
            const bool member = mode == TeamMode::Color
                                    ? player.bottomColor == DecimalTextToInt(texts[team])
                                    : !field.empty() && field == texts[team];
            if (member)
                totals.teamTotal[team] =
                    Saturate(std::int64_t{totals.teamTotal[team]} + player.frags);
        }
        if (player.minutes > totals.longestMinutes)
            totals.longestMinutes = player.minutes;
    }
    return totals;
}

void CheckTotals(const StatusModel& model)
{
    // Team texts taken from the reply itself, so that skins and colours really match.
    const std::string firstSkin = model.playerCount > 0 ? model.players[0].skin : "base";
    const std::string lastColor =
        model.playerCount > 0 ? std::to_string(model.players[model.playerCount - 1].bottomColor)
                              : "0";
    const std::string firstTeam = model.playerCount > 0 ? model.players[0].team : "red";
    const TeamTexts texts = {firstSkin, lastColor, firstTeam};
    for (TeamMode mode : {TeamMode::Color, TeamMode::Skin, TeamMode::Team})
        Check(ComputeStandingsTotals(model, mode, texts) == ReferenceTotals(model, mode, texts));
}

// The ordering must give what n - 1 full passes of neighbour exchanges give: frags
// non-increasing, equal frags in reply order, whole records moved.
void CheckOrdering(StatusModel& model)
{
    std::vector<PlayerEntry> expected(model.players.begin(),
                                      model.players.begin() + model.playerCount);
    for (std::size_t pass = 1; pass < expected.size(); ++pass) {
        for (std::size_t row = 0; row + 1 < expected.size(); ++row) {
            if (expected[row].frags < expected[row + 1].frags)
                std::swap(expected[row], expected[row + 1]);
        }
    }
    const StatusModel before = model;
    OrderPlayersByFrags(model);
    Check(model.playerCount == before.playerCount);
    Check(std::equal(expected.begin(), expected.end(), model.players.begin()));
    // Rows past the count are not touched.
    Check(std::equal(model.players.begin() + model.playerCount, model.players.end(),
                     before.players.begin() + model.playerCount));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckDecimalConversion(text);
    CheckDatagramJoin(text);

    StatusModel model;
    ReadStatusReply(text, model);
    CheckModel(text, model);
    CheckTotals(model);
    CheckOrdering(model);

    StatusModel extended;
    ReadStatusReply(text, extended, StatusLayout::Extended);
    CheckExtendedModel(text, extended);
    CheckTotals(extended);
    CheckOrdering(extended);
    return 0;
}
