// SPDX-License-Identifier: GPL-2.0-or-later
// The two kinds of message box, the application title, and the loop that runs inside a box.
#include "TestDialog.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSocketNotifier>
#include <sys/socket.h>
#include <unistd.h>

using namespace std::chrono_literals;

TEST(ApplicationTitle, IsTheProgramFileNameWithoutDirectoryAndExtension)
{
    EXPECT_EQ(AfxGetAppName(), "framework_tests");
    EXPECT_EQ(QFileInfo(QCoreApplication::applicationFilePath()).fileName(), "framework_tests");
}

using MessageBoxes = DialogFixture;

TEST_F(MessageBoxes, FrameworkBoxHasTheExclamationAndTheWindowsOwnBoxNoIcon)
{
    EXPECT_EQ(AfxMessageBox("Server Did Not Respond"), IDOK);
    EXPECT_EQ(dialog.MessageBox("Own box <b>text</b>"), IDOK);
    dialog.MessageBox("Captioned", "Other");
    dialog.MessageBox("Asked for", {}, MB_OK | MB_ICONEXCLAMATION);

    ASSERT_EQ(boxes.Records().size(), 4u);
    EXPECT_EQ(boxes.Records()[0].text, "Server Did Not Respond");
    EXPECT_EQ(boxes.Records()[0].icon, MessageBoxIcon::Exclamation);
    EXPECT_EQ(boxes.Records()[0].caption, "framework_tests");
    EXPECT_EQ(boxes.Records()[1].text, "Own box <b>text</b>");
    EXPECT_EQ(boxes.Records()[1].icon, MessageBoxIcon::None);
    EXPECT_EQ(boxes.Records()[1].caption, "framework_tests");
    EXPECT_EQ(boxes.Records()[2].caption, "Other");
    EXPECT_EQ(boxes.Records()[3].icon, MessageBoxIcon::Exclamation);
}

TEST_F(MessageBoxes, TheTypeChoosesTheIconOfBothKindsOfBox)
{
    struct Case
    {
        const char* name;
        UINT type;
        MessageBoxIcon icon;
    };
    const Case cases[] = {
        {"no icon asked for", MB_OK, MessageBoxIcon::None},
        {"the exclamation asked for", MB_OK | MB_ICONEXCLAMATION, MessageBoxIcon::Exclamation},
        {"only part of the exclamation's bits", MB_OK | 0x0010, MessageBoxIcon::None},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        AfxMessageBox("framework box", test.type);
        dialog.MessageBox("window's box", {}, test.type);
        ASSERT_GE(boxes.Records().size(), 2u);
        EXPECT_EQ(boxes.Records().rbegin()[1].icon, test.icon);
        EXPECT_EQ(boxes.Records().rbegin()[0].icon, test.icon);
    }
}

TEST_F(MessageBoxes, TimersGoOnWhileABoxIsOpen)
{
    int ticks = 0;
    dialog.onTimer = [&ticks](UINT) { ++ticks; };
    dialog.SetTimer(3, 10);
    boxes.KeepOpenFor(200ms);
    AfxMessageBox("waiting");
    dialog.KillTimer(3);
    EXPECT_GE(ticks, 3);
}

TEST_F(MessageBoxes, SocketReadinessIsDispatchedWhileABoxIsOpen)
{
    int sockets[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_DGRAM, 0, sockets), 0);
    QSocketNotifier notifier(sockets[0], QSocketNotifier::Read);
    bool readable = false;
    QObject::connect(&notifier, &QSocketNotifier::activated, [&] {
        readable = true;
        notifier.setEnabled(false);
    });
    boxes.OnOpen([&](const MessageBoxRecord&) { ASSERT_EQ(write(sockets[1], "x", 1), 1); });
    boxes.KeepOpenFor(100ms);
    AfxMessageBox("waiting");
    EXPECT_TRUE(readable);
    close(sockets[0]);
    close(sockets[1]);
}

TEST_F(MessageBoxes, BoxTextIsEightBitText)
{
    AfxMessageBox("caf\xE9 \x80");
    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].text, "caf\xE9 \x80");
}
