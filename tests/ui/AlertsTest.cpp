// SPDX-License-Identifier: GPL-2.0-or-later
// Alerts on a real D-Bus session bus (the test runs under dbus-run-session): a small notification
// service of the test's own records the Notify calls the window makes, with their texts and the
// replacing of the previous notification; without a service the window asks for attention
// instead. Also the Alerts dialog and the kept choice.
#include "DialogDriver.h"
#include "EventLoopWait.h"
#include "ShownDialogFixture.h"
#include "framework/Menu.h"
#include "res/ResourceIds.h"
#include "ui/AlertSettings.h"
#include "ui/AlertsDlg.h"
#include "ui/MonitorDlg.h"
#include "ui/MonitorDlgSeam.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString kServiceName = QStringLiteral("org.freedesktop.Notifications");

struct NotifyCall
{
    QString appName;
    unsigned replacesId = 0;
    QString icon;
    QString summary;
    QString body;
    QVariantMap hints;
};

// The notification service, on a bus connection of its own: it answers GetCapabilities and
// Notify and records every Notify.
class NotificationService : public QDBusVirtualObject
{
public:
    explicit NotificationService(bool bodyMarkup)
        : connection(QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                                   QStringLiteral("test-notification-service"))),
          bodyMarkup(bodyMarkup)
    {
        registered = connection.registerVirtualObject(
                         QStringLiteral("/org/freedesktop/Notifications"), this) &&
                     connection.registerService(kServiceName);
    }
    ~NotificationService() override
    {
        connection.unregisterService(kServiceName);
        connection.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
        QDBusConnection::disconnectFromBus(QStringLiteral("test-notification-service"));
    }

    bool Registered() const { return registered; }
    const std::vector<NotifyCall>& Calls() const { return calls; }

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override
    {
        if (message.member() == QStringLiteral("GetCapabilities")) {
            QStringList capabilities{QStringLiteral("body")};
            if (bodyMarkup)
                capabilities << QStringLiteral("body-markup");
            bus.send(message.createReply(QVariant(capabilities)));
            return true;
        }
        if (message.member() == QStringLiteral("Notify")) {
            const QList<QVariant> arguments = message.arguments();
            NotifyCall call;
            call.appName = arguments.value(0).toString();
            call.replacesId = arguments.value(1).toUInt();
            call.icon = arguments.value(2).toString();
            call.summary = arguments.value(3).toString();
            call.body = arguments.value(4).toString();
            call.hints = qdbus_cast<QVariantMap>(arguments.value(6));
            calls.push_back(call);
            const unsigned id =
                call.replacesId != 0 ? call.replacesId : 40 + unsigned(calls.size());
            bus.send(message.createReply(QVariant::fromValue(id)));
            return true;
        }
        return false;
    }

private:
    QDBusConnection connection;
    bool bodyMarkup;
    bool registered = false;
    std::vector<NotifyCall> calls;
};

std::string Reply(const std::string& status, const std::vector<std::string>& players)
{
    std::string text =
        "\xff\xff\xff\xffn\\hostname\\Pickup \x90one\x91\\maxclients\\4\\status\\" + status + "\n";
    int userId = 101;
    for (const std::string& name : players)
        text += std::to_string(userId++) + " 0 5 40 \"" + name + "\" \"base\" 4 4\n";
    return text;
}

class Alerts : public ShownDialogFixture<CMonitorDlg>
{
protected:
    void SetUp() override
    {
        ShownDialogFixture<CMonitorDlg>::SetUp();
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected())
            << "run under dbus-run-session (CTest does)";
        Seam(dialog).alerts = std::make_unique<WatchAlerts>(
            std::make_unique<DesktopNotifier>([this] { ++attentionAsked; }));
    }

    void Choose(std::initializer_list<const char*> names)
    {
        EventSelection chosen;
        for (const char* name : names)
            ASSERT_TRUE(chosen.Add(name));
        dialog.ChooseAlerts(chosen);
    }

    int attentionAsked = 0;
};

TEST_F(Alerts, NotificationsNameTheServerAndPlayersAndReplaceEachOther)
{
    NotificationService service(/*bodyMarkup=*/true);
    ASSERT_TRUE(service.Registered());
    Choose({"players=3", "join", "match-start"});
    const std::string caption = dialog.GetWindowText();

    dialog.ParseStatusReply(Reply("Standby", {"alpha", "bravo"})); // the baseline
    dialog.ParseStatusReply(Reply("Standby", {"alpha", "bravo", "<b>c&d</b>"}));
    ASSERT_TRUE(RunUntil([&] { return service.Calls().size() == 1; }));
    dialog.ParseStatusReply(Reply("Standby", {"alpha", "bravo", "<b>c&d</b>"})); // nothing new
    dialog.ParseStatusReply(Reply("20 min left", {"alpha", "bravo", "<b>c&d</b>"}));
    ASSERT_TRUE(RunUntil([&] { return service.Calls().size() == 2; }));
    RunFor(std::chrono::milliseconds(100));
    ASSERT_EQ(service.Calls().size(), 2u);

    const NotifyCall& first = service.Calls()[0];
    EXPECT_EQ(first.appName, "Tallyhawk");
    EXPECT_EQ(first.icon, "tallyhawk");
    EXPECT_EQ(first.replacesId, 0u);
    EXPECT_EQ(first.summary, "3 players on Pickup [one]");
    // Server text is plain text: where the service reads markup, it is escaped.
    EXPECT_EQ(first.body, "Joined: &lt;b&gt;c&amp;d&lt;/b&gt;\n"
                          "Players: alpha, bravo, &lt;b&gt;c&amp;d&lt;/b&gt;");
    EXPECT_EQ(first.hints.value("desktop-entry").toString(), "org.tallyhawk.Tallyhawk");

    const NotifyCall& second = service.Calls()[1];
    EXPECT_EQ(second.replacesId, 41u); // the id the service gave the first
    EXPECT_EQ(second.summary, "Match started (20 min left) on Pickup [one]");

    // An alert never opens a box nor touches the caption, and the service answered.
    EXPECT_TRUE(boxes.Records().empty());
    EXPECT_EQ(dialog.GetWindowText(), caption);
    EXPECT_EQ(attentionAsked, 0);
}

TEST_F(Alerts, AFailedQueryIsComparedWithNothing)
{
    NotificationService service(/*bodyMarkup=*/false);
    ASSERT_TRUE(service.Registered());
    Choose({"join", "leave"});
    dialog.ParseStatusReply(Reply("Standby", {"alpha", "bravo"}));
    dialog.ParseStatusReply(""); // no reply: a box, and no standings to compare
    dialog.ParseStatusReply(Reply("Standby", {"alpha", "bravo", "charlie"}));
    ASSERT_TRUE(RunUntil([&] { return service.Calls().size() == 1; }));
    RunFor(std::chrono::milliseconds(100));
    ASSERT_EQ(service.Calls().size(), 1u);
    EXPECT_EQ(service.Calls()[0].summary, "charlie joined on Pickup [one]");
    EXPECT_EQ(service.Calls()[0].body, "Joined: charlie"); // no markup: the text as it is
}

TEST_F(Alerts, ANewWatchStartsFromItsFirstReply)
{
    NotificationService service(/*bodyMarkup=*/false);
    ASSERT_TRUE(service.Registered());
    Choose({"join"});
    dialog.ParseStatusReply(Reply("Standby", {"alpha"}));
    Item(kStopButtonId)->setEnabled(true); // as while watching
    PressButton(dialog, kStopButtonId);
    dialog.ParseStatusReply(Reply("Standby", {"alpha", "bravo"})); // the next watch's baseline
    dialog.ParseStatusReply(Reply("Standby", {"alpha", "bravo", "charlie"}));
    ASSERT_TRUE(RunUntil([&] { return service.Calls().size() == 1; }));
    RunFor(std::chrono::milliseconds(100));
    ASSERT_EQ(service.Calls().size(), 1u);
    EXPECT_EQ(service.Calls()[0].summary, "charlie joined on Pickup [one]");
}

TEST_F(Alerts, NothingChosenSendsNothing)
{
    NotificationService service(/*bodyMarkup=*/false);
    ASSERT_TRUE(service.Registered());
    dialog.ParseStatusReply(Reply("Standby", {}));
    dialog.ParseStatusReply(Reply("20 min left", {"alpha", "bravo", "charlie", "delta"}));
    RunFor(std::chrono::milliseconds(200));
    EXPECT_TRUE(service.Calls().empty());
    EXPECT_EQ(attentionAsked, 0);
}

TEST_F(Alerts, WithoutANotificationServiceTheWindowAsksForAttention)
{
    ASSERT_FALSE(QDBusConnection::sessionBus().interface()->isServiceRegistered(kServiceName));
    Choose({"join"});
    dialog.ParseStatusReply(Reply("Standby", {"alpha"}));
    dialog.ParseStatusReply(Reply("Standby", {"alpha", "bravo"}));
    EXPECT_TRUE(RunUntil([&] { return attentionAsked == 1; }));
    EXPECT_TRUE(boxes.Records().empty());
}

TEST_F(Alerts, WindowMenuOpensTheDialogWhoseChoiceIsToldAndKept)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    CMenu* windowMenu = dialog.GetSystemMenu(false);
    QTest::keyClick(dialog.GetSafeHwnd(), Qt::Key_Space, Qt::AltModifier);
    ASSERT_TRUE(RunUntil([windowMenu] { return windowMenu->GetQMenu()->isVisible(); }));
    QAction* entry = nullptr;
    for (QAction* action : windowMenu->GetQMenu()->actions())
        if (action->text() == "&Alerts...")
            entry = action;
    ASSERT_NE(entry, nullptr);

    // The person ticks "A player joins" and presses OK, inside the dialog's loop.
    bool answered = false;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(RunUntil([] { return QApplication::activeModalWidget() != nullptr; }));
        QWidget* alerts = QApplication::activeModalWidget();
        EXPECT_EQ(alerts->windowTitle(), "Alerts");
        for (QCheckBox* check : alerts->findChildren<QCheckBox*>())
            if (check->text() == "A player &joins")
                QTest::keyClick(check, Qt::Key_Space);
        for (QPushButton* button : alerts->findChildren<QPushButton*>())
            if (button->text() == "OK")
                button->click();
        answered = true;
    });
    windowMenu->GetQMenu()->close();
    entry->trigger();
    ASSERT_TRUE(RunUntil([&] { return answered; }));
    EXPECT_EQ(Seam(dialog).alerts->Chosen().Names(), std::vector<std::string>{"join"});
    EXPECT_EQ(LoadAlertChoice().Names(), std::vector<std::string>{"join"});
}

// The Alerts dialog, closed by a timer inside its loop as a person would close it.
class AlertsDialog : public testing::Test
{
protected:
    // Runs the dialog over `chosen`; `act` runs inside its loop, then OK is pressed.
    std::optional<EventSelection> Run(const EventSelection& chosen,
                                      const std::function<void(CAlertsDlg&)>& act)
    {
        CAlertsDlg alerts(chosen);
        QTimer::singleShot(0, [&] {
            act(alerts);
            alerts.SendMessage(WM_COMMAND, IDOK, 0);
            if (!alerts.Result()) // a refused value: the box is answered, Cancel ends it
                alerts.SendMessage(WM_COMMAND, IDCANCEL, 0);
        });
        if (alerts.DoModal() != IDOK)
            return std::nullopt;
        return alerts.Chosen();
    }

    static QCheckBox* Check(CAlertsDlg& alerts, int id)
    {
        return qobject_cast<QCheckBox*>(alerts.GetDlgItemWidget(id));
    }
    static QLineEdit* Players(CAlertsDlg& alerts)
    {
        return qobject_cast<QLineEdit*>(alerts.GetDlgItemWidget(kAlertPlayersEditId));
    }

    MessageBoxRecorder boxes;
};

TEST_F(AlertsDialog, ShowsTheChoiceAndGivesTheNewOne)
{
    EventSelection chosen;
    ASSERT_TRUE(chosen.Add("leave"));
    ASSERT_TRUE(chosen.Add("players=6"));
    const auto result = Run(chosen, [](CAlertsDlg& alerts) {
        EXPECT_FALSE(Check(alerts, kAlertJoinCheckId)->isChecked());
        EXPECT_TRUE(Check(alerts, kAlertLeaveCheckId)->isChecked());
        EXPECT_TRUE(Check(alerts, kAlertPlayersCheckId)->isChecked());
        EXPECT_EQ(Players(alerts)->text(), "6");
        EXPECT_EQ(Players(alerts)->accessibleName(), "Number of players to wait for");
        EXPECT_EQ(Check(alerts, kAlertFullCheckId)->text(), "The server is &full");
        Check(alerts, kAlertLeaveCheckId)->click();
        Check(alerts, kAlertMatchEndCheckId)->click();
        Players(alerts)->setText("12");
    });
    ASSERT_TRUE(result);
    EXPECT_EQ(result->Names(), (std::vector<std::string>{"players=12", "match-end"}));
}

TEST_F(AlertsDialog, NumberOutsideOneToSixtyFourIsRefused)
{
    const auto result = Run({}, [](CAlertsDlg& alerts) { Players(alerts)->setText("65"); });
    EXPECT_FALSE(result);
    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].text, "Please enter an integer between 1 and 64.");
}

TEST(AlertSettingsTest, ChoiceIsKeptBetweenRuns)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    EXPECT_TRUE(LoadAlertChoice().Empty());
    EventSelection chosen;
    ASSERT_TRUE(chosen.Add("join"));
    ASSERT_TRUE(chosen.Add("players=8"));
    SaveAlertChoice(chosen);
    EXPECT_EQ(LoadAlertChoice(), chosen);
    {
        QSettings file(folder.path() + "/tallyhawk/tallyhawk.conf", QSettings::NativeFormat);
        EXPECT_EQ(file.value("alerts/events").toStringList(), (QStringList{"join", "players=8"}));
        file.setValue("alerts/events", QStringList{"full", "bogus", "players=99"});
    }
    EXPECT_EQ(LoadAlertChoice().Names(), std::vector<std::string>{"full"});
}

} // namespace
