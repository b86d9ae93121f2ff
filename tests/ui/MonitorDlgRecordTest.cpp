// SPDX-License-Identifier: GPL-2.0-or-later
// Recording a match and the timeline from the window: chosen from the window menu, each reply
// the window shows becomes a record line and a timeline point; a record that cannot be written
// gives one box and stops.
#include "DialogDriver.h"
#include "EventLoopWait.h"
#include "ShownDialogFixture.h"
#include "framework/Menu.h"
#include "query/MatchRecord.h"
#include "res/ResourceIds.h"
#include "status/StatusWireFormat.h"
#include "ui/MonitorDlg.h"
#include "ui/MonitorDlgSeam.h"

#include <QAction>
#include <QMenu>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A reply with two red players and one blue one.
std::string Reply(int redFrags, int blueFrags)
{
    return std::string(kPrintHeader) + "\\hostname\\Record test\\map\\dm3\n" + "1 " +
           std::to_string(redFrags) + " 5 40 \"alpha\" \"red\" 4 4\n" +
           "2 0 5 40 \"beta\" \"red\" 4 4\n" + "3 " + std::to_string(blueFrags) +
           " 5 40 \"gamma\" \"blue\" 13 13\n";
}

class MonitorRecording : public ShownMainWindowFixture<CMonitorDlg>
{
protected:
    static void SetUpTestSuite() { QStandardPaths::setTestModeEnabled(true); }

    void SetUp() override
    {
        ShownMainWindowFixture<CMonitorDlg>::SetUp();
        Seam(dialog).team1Text = "red";
        Seam(dialog).team2Text = "blue";
    }

    // Chooses an entry of the window menu as a person does, after it has been brought up to date.
    void Choose(UINT command)
    {
        CMenu* menu = dialog.GetSystemMenu(false);
        emit menu->GetQMenu()->aboutToShow();
        for (QAction* action : menu->GetQMenu()->actions())
            if (!action->isSeparator() && action->data().toUInt() == command)
                action->trigger();
    }
    bool Checked(UINT command)
    {
        CMenu* menu = dialog.GetSystemMenu(false);
        emit menu->GetQMenu()->aboutToShow();
        return menu->IsMenuItemChecked(command);
    }

    // A reply shown as the watch cycle shows it, from the server it was asked of.
    void ShowReply(int redFrags, int blueFrags)
    {
        Seam(dialog).standingsServer = WatchedServer{"127.0.0.1", 27500};
        dialog.ParseStatusReply(Reply(redFrags, blueFrags));
    }

    void RecordTo(std::string path)
    {
        Seam(dialog).chooseRecordFile = [path] { return std::optional<std::string>(path); };
        Choose(kRecordMatchCommand);
    }

    QTemporaryDir folder;
};

TEST_F(MonitorRecording, RecordsEachShownReplyUntilChosenAgain)
{
    const std::string path = folder.filePath(QStringLiteral("m.jsonl")).toStdString();
    ShowReply(1, 0); // before the recording: not recorded
    EXPECT_FALSE(Checked(kRecordMatchCommand));
    RecordTo(path);
    EXPECT_TRUE(Checked(kRecordMatchCommand));
    ShowReply(3, 2);
    ShowReply(5, 2);
    Choose(kRecordMatchCommand);
    EXPECT_FALSE(Checked(kRecordMatchCommand));
    ShowReply(9, 9); // after it: not recorded

    const Result<RecordContents> record = ReadRecordFile(path);
    ASSERT_TRUE(record) << record.Error();
    ASSERT_EQ(record->entries.size(), 2u);
    EXPECT_EQ(record->entries[0].server, "127.0.0.1:27500");
    EXPECT_EQ(record->entries[0].teamTexts, (TeamTexts{"red", "blue", ""}));
    EXPECT_EQ(record->entries[0].totals.teamTotal, (std::array<std::int32_t, 3>{3, 2, 0}));
    EXPECT_EQ(record->entries[1].totals.teamTotal, (std::array<std::int32_t, 3>{5, 2, 0}));
    EXPECT_EQ(record->entries[1].totals.totalFrags, 7);
    EXPECT_TRUE(boxes.Records().empty());
}

TEST_F(MonitorRecording, AFailedWriteGivesOneBoxAndStopsTheRecording)
{
    RecordTo("/dev/full");
    ASSERT_TRUE(Checked(kRecordMatchCommand));
    ShowReply(1, 0);
    ShowReply(2, 0);
    EXPECT_FALSE(Checked(kRecordMatchCommand));
    ASSERT_TRUE(RunUntil([this] { return !boxes.Records().empty(); }));
    RunFor(std::chrono::milliseconds(50));
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_NE(boxes.Texts()[0].find("/dev/full"), std::string::npos) << boxes.Texts()[0];
    EXPECT_NE(boxes.Texts()[0].find("stopped"), std::string::npos);

    RecordTo(folder.filePath(QStringLiteral("gone/m.jsonl")).toStdString());
    EXPECT_FALSE(Checked(kRecordMatchCommand));
    ASSERT_EQ(boxes.Texts().size(), 2u);
    EXPECT_NE(boxes.Texts()[1].find("gone/m.jsonl"), std::string::npos) << boxes.Texts()[1];
}

TEST_F(MonitorRecording, TimelineShowsTheWholeWatchAndFollowsIt)
{
    ShowReply(1, 0);
    ShowReply(4, 1);
    Choose(kTimelineCommand);
    QPointer<CTimelineWnd>& timeline = Seam(dialog).timelineWindow;
    ASSERT_TRUE(timeline);
    EXPECT_TRUE(timeline->isVisible());
    EXPECT_TRUE(timeline->windowTitle().contains(QStringLiteral("127.0.0.1:27500")));
    EXPECT_EQ(timeline->Shown().Points().size(), 2u);
    ShowReply(6, 1);
    ASSERT_EQ(timeline->Shown().Points().size(), 3u);
    EXPECT_EQ(timeline->Shown().Points().back().teamTotal[0], 6);

    // Another server is another watch.
    Seam(dialog).standingsServer->port = 27501;
    dialog.ParseStatusReply(Reply(0, 0));
    EXPECT_EQ(timeline->Shown().Points().size(), 1u);
    EXPECT_TRUE(timeline->windowTitle().contains(QStringLiteral("127.0.0.1:27501")));
}

} // namespace
