// SPDX-License-Identifier: GPL-2.0-or-later
// Watching goes on behind the About box: a reply that arrives while the box is open is shown by
// the monitor dialog. The window queries from any free local port, so the test runs beside a
// watching window.
#include "DialogDriver.h"
#include "EventLoopWait.h"
#include "ScriptedUdpPeer.h"
#include "ShownDialogFixture.h"
#include "res/ResourceIds.h"
#include "ui/MonitorDlg.h"
#include "ui/MonitorDlgSeam.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// FF FF FF FF 'n', the serverinfo line, one player line (userid frags minutes ping "name"
// "skin" top bottom).
const std::string kReply = std::string("\xff\xff\xff\xffn", 5) +
                           "\\hostname\\Behind About\\map\\dm2\n"
                           "7 12 30 45 \"Fragger\" \"red\" 4 4\n";

class AboutWhileWatching : public ShownMainWindowFixture<CMonitorDlg>
{
protected:
    void SetUp() override
    {
        ShownMainWindowFixture::SetUp();
        dialog.queryLocalPort = 0;
    }

    ScriptedUdpPeer peer; // answers only when told to
};

} // namespace

TEST_F(AboutWhileWatching, AReplyThatArrivesWhileAboutIsOpenIsShown)
{
    TypeText(dialog, kPortComboId, std::to_string(peer.Port()));
    PressButton(dialog, kWatchButtonId);
    ASSERT_TRUE(RunUntil([this] { return peer.Received().size() == 1; }));
    std::uint16_t queryPort = peer.Received()[0].fromPort;

    bool replyArrivedWhileOpen = false;
    std::string shownWhileOpen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* about = QApplication::activeModalWidget();
        if (about == nullptr || about->windowTitle() != "About Tallyhawk")
            return;
        poll.stop();
        peer.SendTo(queryPort, kReply + std::string(1, '\0'));
        replyArrivedWhileOpen = RunUntil(
            [this] { return Seam(dialog).replyText.find("Behind About") != std::string::npos; });
        shownWhileOpen = ControlText(dialog, kServerNameId);
        about->findChild<QPushButton*>()->click();
    });
    poll.start(5);
    PressButton(dialog, kAboutButtonId);

    EXPECT_TRUE(replyArrivedWhileOpen);
    EXPECT_EQ(shownWhileOpen, "Behind About");
    EXPECT_FALSE(dialog.Result());
}
