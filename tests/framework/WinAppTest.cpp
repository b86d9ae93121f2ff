// SPDX-License-Identifier: GPL-2.0-or-later
// The application object: its title and help file named after the program file, its run, the
// help handler with and without the files, and the owner of boxes raised while another
// application is active.
#include "framework/WinApp.h"

#include "DialogDriver.h"
#include "EventLoopWait.h"
#include "MessageBoxRecorder.h"
#include "TestDialog.h"
#include "framework/MessageBox.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CHelpApp : public CWinApp
{
public:
    std::function<void()> onInit;
    bool InitInstance() override
    {
        if (onInit)
            onInit();
        return false;
    }

protected:
    const MessageMap& GetMessageMap() const override
    {
        static const MessageRoute routes[] = {OnCommand<&CWinApp::OnHelp>(ID_HELP)};
        static const MessageMap map{routes, &CWinApp::GetMessageMap()};
        return map;
    }
};

class HelpHandler : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        app.helpFilePath = folder.filePath("prog.HLP");
        app.userGuidePath = folder.filePath("guide/index.html");
        SetDocumentViewer([this](const QString& path) {
            opened.push_back(path);
            return viewerWorks;
        });
    }
    void TearDown() override { SetDocumentViewer({}); }

    void Make(const QString& path)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    void PressHelp() { app.SendMessage(WM_COMMAND, ID_HELP, 0); }

    QTemporaryDir folder;
    MessageBoxRecorder boxes;
    CHelpApp app;
    std::vector<QString> opened;
    bool viewerWorks = true;
};

} // namespace

TEST(ProgramFileNames, TitleAndHelpFileComeFromTheProgramFile)
{
    struct Case
    {
        const char* program;
        const char* title;
        const char* helpFile;
    };
    const Case cases[] = {
        {"/usr/bin/abc.exe", "abc", "/usr/bin/abc.HLP"},
        {"/usr/bin/tallyhawk", "tallyhawk", "/usr/bin/tallyhawk.HLP"},
        {"/opt/v1.2/prog", "prog", "/opt/v1.2/prog.HLP"},
        {"/a/name.with.dots", "name.with", "/a/name.with.HLP"},
        {"/a/.hidden", ".hidden", "/a/.hidden.HLP"},
        {"relative", "relative", "relative.HLP"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.program);
        EXPECT_EQ(TitleFromProgramPath(test.program), test.title);
        EXPECT_EQ(HelpFilePathFor(test.program), test.helpFile);
    }
}

TEST(ApplicationObject, RunNamesItAfterTheProgramFileAndEveryBoxCarriesTheTitle)
{
    MessageBoxRecorder boxes;
    CHelpApp app;
    app.exitCode = 3;
    app.onInit = [] { AfxMessageBox("hello"); };
    EXPECT_EQ(AfxGetApp(), &app);

    EXPECT_EQ(app.Run(), 3);

    EXPECT_EQ(app.appName, "framework_tests");
    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].caption, "framework_tests");
    EXPECT_TRUE(app.helpFilePath.endsWith("/framework_tests.HLP"));
}

TEST_F(HelpHandler, OpensTheHelpFileWhenItExists)
{
    Make(app.helpFilePath);
    Make(app.userGuidePath);
    PressHelp();
    EXPECT_EQ(opened, std::vector<QString>{app.helpFilePath});
    EXPECT_TRUE(boxes.Records().empty());
}

TEST_F(HelpHandler, OpensTheUserGuideWhenTheHelpFileIsMissing)
{
    Make(app.userGuidePath);
    PressHelp();
    EXPECT_EQ(opened, std::vector<QString>{app.userGuidePath});
    EXPECT_TRUE(boxes.Records().empty());
}

TEST_F(HelpHandler, WithNeitherFileSaysWhichFilesWereLookedFor)
{
    PressHelp();
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(boxes.Records().size(), 1u);
    const MessageBoxRecord& box = boxes.Records()[0];
    EXPECT_EQ(box.text, "The help file " + app.helpFilePath.toStdString() +
                            " was not found, nor the user guide " +
                            app.userGuidePath.toStdString() + ".");
    EXPECT_EQ(box.icon, MessageBoxIcon::Exclamation);
}

TEST_F(HelpHandler, AViewerThatCannotStartIsReported)
{
    Make(app.userGuidePath);
    viewerWorks = false;
    PressHelp();
    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].text,
              "No viewer could open the user guide " + app.userGuidePath.toStdString() + ".");
}

TEST_F(HelpHandler, F1InADialogReachesTheApplicationsHelp)
{
    Make(app.userGuidePath);
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    PressKey(dialog, kTextEdit, Qt::Key_F1);
    EXPECT_EQ(opened, std::vector<QString>{app.userGuidePath});
    EXPECT_FALSE(dialog.Result());
}

TEST(ApplicationObject, BoxesRaisedWhileNoWindowOfOursIsActiveBelongToTheMainWindow)
{
    MessageBoxRecorder boxes;
    CHelpApp app;
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    app.mainWnd = &dialog;
    dialog.GetSafeHwnd()->hide(); // another application is active: none of ours is
    ASSERT_TRUE(RunUntil([] { return QApplication::activeWindow() == nullptr; }));

    AfxMessageBox("from a timer tick");

    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].owner, dialog.GetSafeHwnd());
}
