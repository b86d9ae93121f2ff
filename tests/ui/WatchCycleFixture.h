// SPDX-License-Identifier: GPL-2.0-or-later
// The monitor dialog shown and watching servers on loopback, with a vocabulary for the watch
// cycle's tests: enter a server, watch it, tick, wait for replies, read the captions and the
// enabled controls. Queries go out from any free local port, so the tests run beside a window
// that is watching.
#pragma once

#include "DemoServerRunner.h"
#include "DialogDriver.h"
#include "EventLoopWait.h"
#include "PortHolder.h"
#include "ShownDialogFixture.h"
#include "framework/Text.h"
#include "net/ClientSocket.h"
#include "net/HostResolver.h"
#include "res/ResourceIds.h"
#include "ui/MonitorDlg.h"
#include "ui/MonitorDlgSeam.h"

#include <QWidget>
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

inline const std::string kConnecting = "Tallyhawk : Connecting..";
inline const std::string kConnected = "Tallyhawk : Connected";
inline const std::string kSending = "Tallyhawk : Sending..";
inline const std::string kReceiving = "Tallyhawk : Receiving..";
inline const std::string kWaiting = "Tallyhawk : Waiting..";
inline const std::string kDisconnected = "Tallyhawk : Disconnected";

// Which of stopButton and hostEdit, portCombo, watchButton are enabled.
struct ControlState
{
    bool stop;
    bool inputs;
    bool operator==(const ControlState&) const = default;
};
inline constexpr ControlState kWatchingLook{true, false};
inline constexpr ControlState kStoppedLook{false, true};
inline constexpr ControlState kStartLook{true, true};

// Stands in for the system's resolver: records the names it is asked for and answers only when
// the test says so, as a resolver that takes its time would.
class StandInResolver : public HostResolver
{
public:
    void Start(const std::string& host, Answered answered) override
    {
        asked.push_back(host);
        pending = std::move(answered);
    }
    void Abandon() override
    {
        pending = nullptr;
        ++abandoned;
    }

    bool Waiting() const { return pending != nullptr; }
    // Delivers the answer to the look-up under way, as the event loop would.
    void Answer(const HostLookupAnswer& answer)
    {
        ASSERT_TRUE(pending) << "no look-up is under way";
        Answered deliver = std::exchange(pending, nullptr);
        deliver(answer);
    }

    std::vector<std::string> asked;
    int abandoned = 0;

private:
    Answered pending;
};

class WatchCycle : public ShownDialogFixture<CMonitorDlg>
{
protected:
    void SetUp() override
    {
        ShownDialogFixture::SetUp();
        dialog.queryLocalPort = 0;
        dialog.CheckRadioButton(kColorRadioId, kSkinRadioId, kSkinRadioId);
        QObject::connect(dialog.GetSafeHwnd(), &QWidget::windowTitleChanged,
                         [this](const QString& title) { captions.push_back(ToBytes(title)); });
    }

    void EnterServer(const std::string& host, unsigned port)
    {
        SetControlText(dialog, kHostEditId, host);
        SetControlText(dialog, kPortComboId, std::to_string(port));
    }

    void WatchServer(const std::string& host, unsigned port)
    {
        EnterServer(host, port);
        PressButton(dialog, kWatchButtonId);
    }

    // Watches a qw-demo-server that never answers; it runs until the test ends.
    void WatchSilentServer()
    {
        silentServer.emplace(std::vector<std::string>{"--scenario", "silent"});
        ASSERT_NE(silentServer->Port(), 0u);
        WatchServer("127.0.0.1", silentServer->Port());
    }

    // A tick of the refresh timer, without waiting for its period.
    void Tick() { dialog.SendMessage(WM_TIMER, Seam(dialog).timerId, 0); }

    bool WaitForReplies(int count)
    {
        return RunUntil([&] { return std::ranges::count(captions, kWaiting) >= count; });
    }
    long RepliesShown() const { return std::ranges::count(captions, kReceiving); }

    ControlState Controls()
    {
        const bool inputs = Item(kHostEditId)->isEnabled();
        EXPECT_EQ(Item(kPortComboId)->isEnabled(), inputs);
        EXPECT_EQ(Item(kWatchButtonId)->isEnabled(), inputs);
        return {Item(kStopButtonId)->isEnabled(), inputs};
    }

    // Stops the refresh timer and tells whether it was running.
    bool TimerWasRunning() { return dialog.KillTimer(Seam(dialog).timerId); }

    // Puts a resolver that answers only when told in place of the system's; the dialog owns it.
    StandInResolver& UseStandInResolver()
    {
        auto resolver = std::make_unique<StandInResolver>();
        StandInResolver& standIn = *resolver;
        dialog.hostResolver = std::move(resolver);
        return standIn;
    }

    LPARAM SocketIdentity()
    {
        return Seam(dialog).querySocket ? Seam(dialog).querySocket->HandleIdentity() : 0;
    }

    std::vector<std::string> captions;            // every change of the window caption, in order
    std::optional<DemoServerRunner> silentServer; // see WatchSilentServer
};
