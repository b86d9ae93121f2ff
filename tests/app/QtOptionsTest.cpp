// SPDX-License-Identifier: GPL-2.0-or-later
// The real program given Qt's own options beside ours: Qt takes its part of the command line and
// the window still fills its fields and watches. Runs the program with no display at all.
#include "ChildProcess.h"
#include "EventLoopWait.h"
#include "PortHolder.h"
#include "ScriptedUdpPeer.h"
#include "status/StatusWireFormat.h"

#include <gtest/gtest.h>

// Without a display Qt can only start on the platform given on the command line, so a window
// that sends its query shows that Qt took its options and left the server and --watch to us.
TEST(QtOptions, ReachQtBesideServerAndWatch)
{
    // The window queries from this port only; a program outside the tests may hold it.
    if (!PortHolder(kQueryLocalPort).bound)
        GTEST_SKIP() << "local UDP port " << kQueryLocalPort << " is held by another program";
    ScriptedUdpPeer server;
    BackgroundProcess window({"/usr/bin/env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u",
                              "QT_QPA_PLATFORM", TALLYHAWK_PATH, "-platform", "offscreen", "-style",
                              "Fusion", "-reverse", "127.0.0.1:" + std::to_string(server.Port()),
                              "--watch"});

    EXPECT_TRUE(RunUntil([&] { return !server.Received().empty(); }, std::chrono::seconds(20)))
        << window.ErrorText();
    ASSERT_FALSE(server.Received().empty());
    EXPECT_EQ(server.Received()[0].bytes, kStatusRequest);
    window.Stop();
}
