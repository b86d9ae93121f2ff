// SPDX-License-Identifier: GPL-2.0-or-later
// The watch cycle: the query cycle of "Watch Server" and the refresh timer, the socket's reports,
// STOP, and the host and paste fields. Every message box here runs a nested loop in which ticks
// and socket reports go on arriving, so after one nothing is assumed about querySocket.
#include "framework/MessageBox.h"
#include "net/ClientSocket.h"
#include "net/HostLookup.h"
#include "net/SocketEvent.h"
#include "status/DecimalText.h"
#include "status/StatusWireFormat.h"
#include "ui/MonitorDlg.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

namespace {

// Events the query socket selects at creation: read, write, out-of-band, accept, connect, close.
constexpr long kQuerySocketEvents = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;

// The refresh edit may hold more than kMaxRefreshSeconds after a refused save, and the press goes
// on with it; its milliseconds are kept within what a window timer takes instead of wrapping.
UINT TimerPeriod(std::int32_t refreshSeconds)
{
    const std::int64_t milliseconds = std::int64_t{refreshSeconds} * 1000;
    return static_cast<UINT>(
        std::clamp<std::int64_t>(milliseconds, 0, std::numeric_limits<std::int32_t>::max()));
}

// Only the space separates the words of a pasted line; tabs are ordinary characters.
std::string_view WithoutLeadingSpaces(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

// From the first space (kept) to the end; the whole text when it holds no space.
std::string_view FromFirstSpace(std::string_view text)
{
    const std::size_t space = text.find(' ');
    return space == std::string_view::npos ? text : text.substr(space);
}

// Up to the first space; empty when the text holds no space, so a last word is never taken.
std::string_view UpToFirstSpace(std::string_view text)
{
    const std::size_t space = text.find(' ');
    return space == std::string_view::npos ? std::string_view{} : text.substr(0, space);
}

struct PastedServer
{
    std::string host;
    std::string port;
};

// A pasted server line: a first word, then the host behind two characters that are not part of
// it, then the port followed by a space ("srv  ab10.1.2.3 27500 x").
PastedServer SplitPastedLine(std::string_view line)
{
    std::string_view rest = FromFirstSpace(WithoutLeadingSpaces(line));
    rest = WithoutLeadingSpaces(rest);
    rest.remove_prefix(std::min<std::size_t>(2, rest.size()));
    PastedServer server;
    server.host = UpToFirstSpace(rest);
    rest = WithoutLeadingSpaces(FromFirstSpace(rest));
    server.port = UpToFirstSpace(rest);
    return server;
}

} // namespace

void CMonitorDlg::ShowQueryBox(const std::function<void()>& show)
{
    ++openQueryBoxes;
    show();
    --openQueryBoxes;
}

bool CMonitorDlg::IsQuerySocket(LPARAM handleIdentity) const
{
    return querySocket != nullptr && querySocket->HandleIdentity() == handleIdentity;
}

void CMonitorDlg::DestroyQuerySocket()
{
    if (hostLookupPending) {
        hostResolver->Abandon();
        hostLookupPending = false;
    }
    querySocket.reset();
}

void CMonitorDlg::OnWatchServer()
{
    ShowQueryBox([this] { UpdateData(Direction::Save); });
    if (refreshSeconds < kMinRefreshSeconds)
        return;

    stopButton.EnableWindow(true);
    hostEdit.EnableWindow(false);
    portCombo.EnableWindow(false);
    watchButton.EnableWindow(false);
    const UINT period = TimerPeriod(refreshSeconds);
    KillTimer(timerId);
    SetTimer(timerId, period);

    if (hostText.empty()) {
        ShowQueryBox([this] { MessageBox("I Can't Go There! Enter somewhere!"); });
        stopButton.EnableWindow(false);
        hostEdit.EnableWindow(true);
        portCombo.EnableWindow(true);
        watchButton.EnableWindow(true);
        return;
    }

    // Connect uses the low 16 bits of the number, so 65536 + n connects to port n.
    const auto port = static_cast<std::uint16_t>(DecimalTextToInt(portText));
    queryServer = {hostText, port};
    // What the window shows always belongs to the server in the fields.
    if (standingsServer && *standingsServer != queryServer) {
        standingsServer.reset();
        ClearStandings();
    }
    // A name looked up for an earlier tick serves while its queries are answered, for a while.
    const bool lookedUpAddressServes =
        lookedUpAddress && queryAnswered && lookedUpAddress->host == hostText &&
        std::chrono::steady_clock::now() - lookedUpAddress->lookedUpAt < kLookedUpAddressLifetime;
    if (!lookedUpAddressServes)
        lookedUpAddress.reset();
    queryAnswered = false;

    // Closes the previous query's handle, which frees the local port for the new one.
    DestroyQuerySocket();
    querySocket = std::make_unique<CClientSocket>(this);
    if (!querySocket->Create(queryLocalPort, SOCK_DGRAM, kQuerySocketEvents)) {
        DestroyQuerySocket();
        ShowQueryBox([] { AfxMessageBox("THIS IS VERY WEIRD. CREATE SOCKET FAILED"); });
        return;
    }
    // A reply later than the next tick is no longer waited for, also when the watch has stopped.
    querySocket->SetReplyDeadline(std::chrono::milliseconds(period));

    if (const std::optional<in_addr> numeric = NumericIpv4(hostText)) {
        ConnectAndSend(*numeric);
        return;
    }
    if (lookedUpAddress) {
        ConnectAndSend(lookedUpAddress->address);
        return;
    }
    // A resolver may take seconds to answer; the window goes on meanwhile, and the next tick or
    // STOP abandons the look-up.
    hostLookupPending = true;
    const LPARAM identity = querySocket->HandleIdentity();
    hostResolver->Start(hostText, [this, identity](const HostLookupAnswer& answer) {
        OnHostLookedUp(identity, answer);
    });
}

void CMonitorDlg::OnHostLookedUp(LPARAM handleIdentity, const HostLookupAnswer& answer)
{
    if (!IsQuerySocket(handleIdentity))
        return;
    hostLookupPending = false;
    if (!answer.address) {
        DestroyQuerySocket();
        ShowQueryBox([] { AfxMessageBox("Failed on Connection Phase"); });
        return;
    }
    lookedUpAddress =
        LookedUpAddress{queryServer.host, *answer.address, std::chrono::steady_clock::now()};
    ConnectAndSend(*answer.address);
}

void CMonitorDlg::ConnectAndSend(const in_addr& address)
{
    const LPARAM identity = querySocket->HandleIdentity();
    const bool connected = querySocket->Connect(address, queryServer.port);
    // Connect reports to OnSocketEvent; should a nested loop in there have replaced or destroyed
    // this socket, it is no longer this cycle's to finish.
    if (!IsQuerySocket(identity))
        return;
    if (!connected) {
        DestroyQuerySocket();
        ShowQueryBox([] { AfxMessageBox("Failed on Connection Phase"); });
        return;
    }
    querySocket->QueueSend(std::string(kStatusRequest));
}

void CMonitorDlg::OnTimer(UINT)
{
    if (openQueryBoxes > 0)
        return;
    OnWatchServer();
}

LRESULT CMonitorDlg::OnSocketEvent(WPARAM wParam, LPARAM lParam)
{
    // A socket that a newer cycle has replaced may still have a report on its way.
    if (!IsQuerySocket(lParam))
        return 0;
    const UINT error = HIWORD(wParam);
    std::string caption;
    switch (LOWORD(wParam)) {
    case SE_CONNECTING:
        caption = "Tallyhawk : Connecting..";
        break;
    case SE_CONNECTED:
        if (error == 0) {
            caption = "Tallyhawk : Connected";
            break;
        }
        ShowQueryBox([this] { AfxMessageBox("No Connection to " + hostText); });
        // Should another cycle have replaced the socket meanwhile, that cycle's socket stays and
        // so does its caption.
        if (!IsQuerySocket(lParam))
            return 0;
        DestroyQuerySocket();
        caption = "Tallyhawk";
        break;
    case SE_RECEIVED:
        // The socket reports its one reply once, when it has ended.
        replyText = querySocket->receivedText;
        queryAnswered = !replyText.empty();
        if (queryAnswered)
            standingsServer = queryServer;
        // The parse may show a box, in whose loop another cycle may replace this socket.
        ParseStatusReply(replyText);
        if (!IsQuerySocket(lParam))
            return 0;
        caption = "Tallyhawk : Receiving..";
        break;
    case SE_SENT:
        caption = "Tallyhawk : Sending..";
        break;
    case SE_CLOSED:
        caption = "Tallyhawk : Disconnected";
        UpdateData(Direction::LoadKeepingTyping);
        if (IsQuerySocket(lParam))
            DestroyQuerySocket();
        break;
    case SE_ERROR:
        caption = GetWindowText();
        break;
    case SE_WAITING:
        caption = "Tallyhawk : Waiting..";
        break;
    default:
        return 0; // no socket sends other codes
    }
    SetWindowText(caption);
    return 0;
}

void CMonitorDlg::OnStop()
{
    stopButton.EnableWindow(false);
    hostEdit.EnableWindow(true);
    portCombo.EnableWindow(true);
    watchButton.EnableWindow(true);
    KillTimer(timerId);
    // A socket that has sent its query stays: a reply already on its way is still shown, until
    // the socket's deadline. A cycle still waiting for its server's address has sent nothing.
    if (hostLookupPending)
        DestroyQuerySocket();
    lookedUpAddress.reset();
    infoRefreshCountdown = 0;
    Alerts().OnWatchStopped();
}

void CMonitorDlg::OnChangeHost()
{
    infoRefreshCountdown = 0;
}

void CMonitorDlg::OnKillFocusPaste()
{
    UpdateData(Direction::Save);
    if (!pasteText.empty()) {
        PastedServer server = SplitPastedLine(pasteText);
        portText = std::move(server.port);
        hostText = std::move(server.host);
    }
    // The paste field keeps the pasted line until it gets the focus again.
    UpdateData(Direction::Load);
}

void CMonitorDlg::OnSetFocusPaste()
{
    pasteText.clear();
    // Every control shows its member again, which also empties the paste field.
    UpdateData(Direction::Load);
    infoRefreshCountdown = 0;
}
