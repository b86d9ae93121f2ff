// SPDX-License-Identifier: GPL-2.0-or-later
// The application object's start-up: the failure path of sockets, and the monitor dialog run
// as the main window with the command line applied.
#include "app/MonitorApp.h"

#include "DialogDriver.h"
#include "EventLoopWait.h"
#include "MessageBoxRecorder.h"
#include "ScriptedUdpPeer.h"
#include "res/ResourceIds.h"
#include "ui/MonitorDlg.h"
#include "ui/MonitorDlgSeam.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

int VisibleWindowsOtherThanBoxes()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && !qobject_cast<QMessageBox*>(widget))
            ++count;
    }
    return count;
}

// Runs `action` on the main window from inside its modal loop, once it is up.
class WhenMainWindowRuns
{
public:
    explicit WhenMainWindowRuns(std::function<void(CMonitorDlg&)> action)
    {
        QObject::connect(&poll, &QTimer::timeout, [this, action] {
            auto* dialog = static_cast<CMonitorDlg*>(AfxGetMainWnd());
            if (dialog == nullptr || dialog->GetSafeHwnd() == nullptr ||
                !dialog->GetSafeHwnd()->isVisible())
                return;
            poll.stop();
            ran = true;
            action(*dialog);
        });
        poll.start(5);
    }
    bool ran = false;

private:
    QTimer poll;
};

// Makes the main window query from any free local port, so that --watch runs beside a window
// that is watching. The application sees every event before its receiver, so the port is set
// before the event that carries the --watch press is delivered.
class MainWindowQueriesFromAnyFreePort : public QObject
{
public:
    MainWindowQueriesFromAnyFreePort() { QCoreApplication::instance()->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent*) override
    {
        if (auto* dialog = static_cast<CMonitorDlg*>(AfxGetMainWnd()))
            dialog->queryLocalPort = 0;
        return false;
    }
};

} // namespace

TEST(MonitorAppStart, SocketsThatCannotStartShowOnlyTheMessageAndEndWithFailure)
{
    MessageBoxRecorder boxes;
    int windowsWhileShown = -1;
    boxes.OnOpen(
        [&](const MessageBoxRecord&) { windowsWhileShown = VisibleWindowsOtherThanBoxes(); });
    CMonitorApp app([] { return false; });

    int status = app.Run();

    EXPECT_NE(status, 0);
    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].text, "Windows sockets initialization failed.");
    EXPECT_EQ(boxes.Records()[0].caption, "app_tests");
    EXPECT_EQ(boxes.Records()[0].icon, MessageBoxIcon::Exclamation);
    EXPECT_EQ(windowsWhileShown, 0);
    EXPECT_EQ(app.mainWnd, nullptr);
}

TEST(MonitorAppStart, RunsTheMonitorDialogAsMainWindowWithTheCommandLinesServer)
{
    MessageBoxRecorder boxes;
    CMonitorApp app([] { return true; });
    app.commandLine.host = "10.1.2.3";
    app.commandLine.port = 27500;
    std::string shownHost;
    std::string shownPort;
    int selectedPort = -1;
    WhenMainWindowRuns inside([&](CMonitorDlg& dialog) {
        shownHost = ControlText(dialog, kHostEditId);
        shownPort = ControlText(dialog, kPortComboId);
        selectedPort = Seam(dialog).portCombo.GetCurSel();
        // A box raised now belongs to the application title and the main window.
        AfxMessageBox("probe");
        dialog.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    });

    EXPECT_EQ(app.Run(), 0);

    EXPECT_TRUE(inside.ran);
    EXPECT_EQ(shownHost, "10.1.2.3");
    EXPECT_EQ(shownPort, "27500");
    EXPECT_EQ(selectedPort, 1); // 27000, 27500, ...
    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].caption, "app_tests");
    EXPECT_EQ(app.mainWnd, nullptr);
    EXPECT_EQ(VisibleWindowsOtherThanBoxes(), 0);
}

TEST(MonitorAppStart, WatchOnTheCommandLinePressesWatchServerOnceTheWindowIsUp)
{
    MessageBoxRecorder boxes;
    ScriptedUdpPeer server;
    CMonitorApp app([] { return true; });
    app.commandLine.host = "127.0.0.1";
    app.commandLine.port = server.Port();
    app.commandLine.watch = true;
    MainWindowQueriesFromAnyFreePort anyFreePort;
    bool queried = false;
    bool inputsLocked = false;
    WhenMainWindowRuns inside([&](CMonitorDlg& dialog) {
        queried = RunUntil([&] { return !server.Received().empty(); });
        inputsLocked =
            !Seam(dialog).watchButton.IsWindowEnabled() && !Seam(dialog).hostEdit.IsWindowEnabled();
        dialog.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    app.Run();
    EXPECT_TRUE(queried);
    EXPECT_TRUE(inputsLocked);
}

TEST(MonitorAppStart, HelpLooksForTheInstalledGuideBesideTheProgram)
{
    MessageBoxRecorder boxes;
    CMonitorApp app([] { return true; });
    WhenMainWindowRuns inside([&](CMonitorDlg& dialog) {
        PressKey(dialog, kHostEditId, Qt::Key_F1);
        dialog.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    app.Run();
    ASSERT_EQ(boxes.Records().size(), 1u);
    std::string text = boxes.Records()[0].text;
    EXPECT_NE(text.find("/app_tests.HLP"), std::string::npos) << text;
    EXPECT_NE(text.find("/share/doc/tallyhawk/guide/index.html"), std::string::npos) << text;
}
