// SPDX-License-Identifier: GPL-2.0-or-later
// The Observe button through the real XDG lookup: a handler script registered with xdg-mime for
// x-scheme-handler/qw in a temporary XDG environment receives the server's URL; without a
// handler, or without a server in the fields, the notice shows instead.
#include "DialogDriver.h"
#include "EventLoopWait.h"
#include "ShownDialogFixture.h"
#include "res/ResourceIds.h"
#include "ui/MonitorDlg.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <optional>

namespace {

constexpr const char* kObserveNotice =
    "This is Gonna Be an Observe Game Option when I get around to it -Vesk";

// An XDG environment of its own for the test, with no desktop named so that xdg-utils takes its
// generic path, and no system folders, so that a QuakeWorld client installed on the machine is
// not found. xdg-open opens scheme handlers only in a graphical session: DISPLAY stands for one.
// Everything is put back when the object goes.
class TemporaryXdgEnvironment
{
public:
    TemporaryXdgEnvironment()
    {
        for (const char* folder : {"data", "config", "system-data", "system-config"})
            QDir(root.path()).mkpath(folder);
        Set("XDG_DATA_HOME", root.filePath("data"));
        Set("XDG_CONFIG_HOME", root.filePath("config"));
        Set("XDG_DATA_DIRS", root.filePath("system-data"));
        Set("XDG_CONFIG_DIRS", root.filePath("system-config"));
        Set("DISPLAY", ":99");
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "WAYLAND_DISPLAY", "BROWSER"})
            Set(name, std::nullopt);
    }
    ~TemporaryXdgEnvironment()
    {
        for (const auto& [name, value] : saved) {
            if (value)
                qputenv(name.c_str(), *value);
            else
                qunsetenv(name.c_str());
        }
    }

    // A desktop file for a script that writes the URL it is given to ReceivedUrl's file, made
    // the default of x-scheme-handler/qw with xdg-mime.
    void RegisterHandler()
    {
        const QString script = root.filePath("qw-handler");
        WriteFile(script, "#!/bin/sh\nprintf '%s' \"$1\" > '" + UrlPath() + ".part' && mv '" +
                              UrlPath() + ".part' '" + UrlPath() + "'\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir(root.filePath("data")).mkpath("applications");
        WriteFile(root.filePath("data/applications/qw-test-client.desktop"),
                  "[Desktop Entry]\nType=Application\nName=QW test client\nExec=" + script +
                      " %u\nMimeType=x-scheme-handler/qw;\nNoDisplay=true\n");
        QProcess xdgMime;
        xdgMime.start("xdg-mime", {"default", "qw-test-client.desktop", "x-scheme-handler/qw"});
        ASSERT_TRUE(xdgMime.waitForFinished(10000)) << "xdg-mime (package xdg-utils) missing?";
        ASSERT_EQ(xdgMime.exitCode(), 0) << xdgMime.readAllStandardError().toStdString();
    }

    // A PATH without xdg-utils, as on a system without them.
    void HideXdgUtils()
    {
        QDir(root.path()).mkpath("empty-bin");
        Set("PATH", root.filePath("empty-bin"));
    }

    // The URL the handler received, once its file is there.
    std::optional<std::string> ReceivedUrl() const
    {
        QFile file(UrlPath());
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        return file.readAll().toStdString();
    }

private:
    QString UrlPath() const { return root.filePath("received-url"); }

    void Set(const std::string& name, const std::optional<QString>& value)
    {
        if (!saved.contains(name))
            saved[name] = qEnvironmentVariableIsSet(name.c_str())
                              ? std::optional(qgetenv(name.c_str()))
                              : std::nullopt;
        if (value)
            qputenv(name.c_str(), value->toLocal8Bit());
        else
            qunsetenv(name.c_str());
    }

    static void WriteFile(const QString& path, const QString& text)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(text.toUtf8());
    }

    QTemporaryDir root;
    std::map<std::string, std::optional<QByteArray>> saved;
};

struct ObserveCase
{
    const char* name;
    bool handlerRegistered;
    bool xdgUtilsOnPath;
    const char* host;
    const char* port;
    const char* url; // what the handler receives; nullptr: the notice shows instead
};

class ObserveButton : public ShownDialogFixture<CMonitorDlg>,
                      public testing::WithParamInterface<ObserveCase>
{
protected:
    TemporaryXdgEnvironment xdg;
};

TEST_P(ObserveButton, OpensTheServerWithTheQwHandlerOrShowsTheNotice)
{
    const ObserveCase& observe = GetParam();
    if (observe.handlerRegistered)
        xdg.RegisterHandler();
    if (!observe.xdgUtilsOnPath)
        xdg.HideXdgUtils();
    SetControlText(dialog, kHostEditId, observe.host);
    SetControlText(dialog, kPortComboId, observe.port);
    PressButton(dialog, kObserveButtonId);

    if (observe.url) {
        ASSERT_TRUE(
            RunUntil([this] { return xdg.ReceivedUrl().has_value(); }, std::chrono::seconds(20)));
        EXPECT_EQ(*xdg.ReceivedUrl(), observe.url);
        EXPECT_TRUE(boxes.Records().empty());
    } else {
        ASSERT_TRUE(
            RunUntil([this] { return !boxes.Records().empty(); }, std::chrono::seconds(20)));
        ASSERT_EQ(boxes.Texts(), std::vector<std::string>{kObserveNotice});
        EXPECT_EQ(xdg.ReceivedUrl(), std::nullopt);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ObserveButton,
    testing::Values(ObserveCase{"HandlerGetsTheServer", true, true, "127.0.0.1", "27500",
                                "qw://127.0.0.1:27500/observe"},
                    ObserveCase{"HandlerGetsAHostName", true, true, "qw.example", "27501",
                                "qw://qw.example:27501/observe"},
                    ObserveCase{"NoHandler", false, true, "127.0.0.1", "27500", nullptr},
                    ObserveCase{"NoXdgUtils", true, false, "127.0.0.1", "27500", nullptr},
                    ObserveCase{"EmptyHost", true, true, "", "27500", nullptr},
                    ObserveCase{"HostThatIsNoAddress", true, true, "a b/c", "27500", nullptr},
                    ObserveCase{"PortZero", true, true, "127.0.0.1", "0", nullptr}),
    [](const testing::TestParamInfo<ObserveCase>& info) { return std::string(info.param.name); });

} // namespace
