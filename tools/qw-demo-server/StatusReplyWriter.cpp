// SPDX-License-Identifier: GPL-2.0-or-later
// The status reply in the pieces a server prints, gathered into datagrams by the print buffer's
// rule; which clients are listed, and how, follows the request's flags.
#include "qw-demo-server/StatusReplyWriter.h"

#include "qw-demo-server/StatusRequest.h"
#include "status/StatusWireFormat.h"

namespace {

bool IsListed(const SimulatedClient& client, int flags)
{
    if (client.spectator)
        return (flags & kStatusSpectators) != 0;
    return flags == 0 || (flags & kStatusPlayers) != 0;
}

std::string LineBody(const SimulatedClient& client, int flags)
{
    std::string frags = std::to_string(client.frags);
    int ping = client.connectingSecondsLeft > 0 ? kConnectingPing : client.ping;
    std::string name = client.name;
    if (client.spectator) {
        if (flags & kStatusSpectatorsAsPlayers) {
            frags = "S";
        } else {
            frags = "-9999";
            ping = -ping;
            name = "\\s\\" + name;
        }
    }
    const int minutes = static_cast<int>(client.connectedSeconds / 60);
    return std::to_string(client.userId) + " " + frags + " " + std::to_string(minutes) + " " +
           std::to_string(ping) + " \"" + name + "\" \"" + client.skin + "\" " +
           std::to_string(client.topColor) + " " + std::to_string(client.bottomColor);
}

} // namespace

std::vector<std::string> StatusReplyPieces(const std::vector<ServerInfoPair>& serverInfo,
                                           const std::vector<SimulatedClient>& clients, int flags)
{
    std::vector<std::string> pieces;
    if (flags == 0 || (flags & kStatusServerInfo)) {
        std::string info;
        for (const ServerInfoPair& pair : serverInfo)
            info += "\\" + pair.key + "\\" + pair.value;
        pieces.push_back(info + "\n");
    }
    if (flags != 0 && (flags & (kStatusPlayers | kStatusSpectators)) == 0)
        return pieces;
    for (const SimulatedClient& client : clients) {
        if (!IsListed(client, flags))
            continue;
        pieces.push_back(LineBody(client, flags));
        if (flags & kStatusShowTeams)
            pieces.push_back(" \"" + client.team + "\"");
        if (flags & kStatusShowClientType)
            pieces.push_back(client.bot ? " \"b\"" : " \"h\"");
        pieces.push_back("\n");
    }
    return pieces;
}

std::vector<std::string> PackReplyDatagrams(const std::vector<std::string>& pieces,
                                            std::size_t bufferBytes)
{
    std::vector<std::string> datagrams;
    std::string text;
    for (const std::string& piece : pieces) {
        if (!text.empty() && text.size() + piece.size() > bufferBytes) {
            datagrams.push_back(ReplyDatagram(text));
            text.clear();
        }
        text += piece;
    }
    datagrams.push_back(ReplyDatagram(text));
    return datagrams;
}

std::string ReplyDatagram(const std::string& text)
{
    std::string datagram(kPrintHeader);
    datagram += text;
    datagram += '\0';
    return datagram;
}
