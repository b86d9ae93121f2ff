// SPDX-License-Identifier: GPL-2.0-or-later
// Copying what the window shows: the standings of the last shown reply in three forms read back
// from the clipboard, Ctrl+C in the player list and in an edit, the server's address as text
// and as a qw:// link, and nothing copied while there is nothing to copy.
#include "DialogDriver.h"
#include "EventLoopWait.h"
#include "ShownDialogFixture.h"
#include "framework/Menu.h"
#include "res/ResourceIds.h"
#include "ui/MonitorDlg.h"
#include "ui/MonitorDlgSeam.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

// A hostname with markup, names with a '|', a comma and a high-bit byte (0xE5 reads 'e').
const std::string kReply = "\xff\xff\xff\xffn\\hostname\\<i>Duel</i> & co\\map\\dm3\n"
                           "1 5 10 50 \"al|pha\" \"red\" 4 4\n"
                           "2 9 20 60 \"br,\xe5vo\" \"blue\" 13 13\n";

class Share : public ShownMainWindowFixture<CMonitorDlg>
{
protected:
    void SetUp() override
    {
        ShownMainWindowFixture<CMonitorDlg>::SetUp();
        QGuiApplication::clipboard()->setText("before");
    }

    // A reply from 10.0.0.1:27500 as the watch cycle hands it to the display.
    void ShowReply(const std::string& reply)
    {
        Seam(dialog).standingsServer = WatchedServer{"10.0.0.1", 27500};
        dialog.ParseStatusReply(reply);
    }

    // Chooses an entry of the player list's context menu, opened by a right click; false when
    // the entry is greyed.
    bool ChooseFromPlayerMenu(UINT command)
    {
        auto* list = qobject_cast<QAbstractItemView*>(Item(kPlayerListId));
        const QPoint at(10, 10);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &click);
        std::unique_ptr<CMenu>& menu = Seam(dialog).contextMenu;
        EXPECT_TRUE(RunUntil([&menu] { return menu && menu->GetQMenu()->isVisible(); }));
        for (QAction* action : menu->GetQMenu()->actions()) {
            if (action->data().toUInt() == command && action->isEnabled()) {
                action->trigger();
                menu->GetQMenu()->close();
                return true;
            }
        }
        menu->GetQMenu()->close();
        return false;
    }

    void PressCtrlC(int id)
    {
        Item(id)->setFocus();
        QTest::keyClick(Item(id), Qt::Key_C, Qt::ControlModifier);
    }

    static const QMimeData& Clipboard() { return *QGuiApplication::clipboard()->mimeData(); }
};

} // namespace

TEST_F(Share, CopyStandingsPutsTheShownReplyInThreeForms)
{
    ShowReply(kReply);
    ASSERT_TRUE(ChooseFromPlayerMenu(kCopyStandingsCommand));

    EXPECT_TRUE(Clipboard().hasFormat("text/plain"));
    const QString text = Clipboard().text();
    EXPECT_TRUE(text.startsWith("10.0.0.1:27500  <i>Duel</i> & co  ")) << text.toStdString();
    EXPECT_TRUE(text.contains("  br,evo      9     60  blue ")) << text.toStdString();
    EXPECT_TRUE(text.contains("Total frags   14\n")) << text.toStdString();

    // One table, every server text escaped, so a spreadsheet gets columns.
    const QString html = Clipboard().html();
    EXPECT_TRUE(html.contains("<caption>&lt;i&gt;Duel&lt;/i&gt; &amp; co</caption>"));
    EXPECT_TRUE(html.contains("<tr><td>br,evo</td><td>9</td><td>60</td><td>blue</td>"));
    EXPECT_TRUE(html.contains("<tr><th>Total frags</th><td>14</td></tr>"));
    EXPECT_EQ(html.count("<table>"), 1);

    // The document tallyhawk-query --json prints: the players by frags, bytes as code points.
    const auto json = nlohmann::json::parse(Clipboard().data("application/json").toStdString());
    ASSERT_EQ(json["players"].size(), 2u);
    EXPECT_EQ(json["players"][0]["name"], "br,\xc3\xa5vo");
    EXPECT_EQ(json["players"][1]["name"], "al|pha");
    EXPECT_EQ(json["totals"]["totalFrags"], 14);
    EXPECT_EQ(json["serverinfo"][0][1], "<i>Duel</i> & co");
}

TEST_F(Share, CopiedStandingsStayThoseOnScreenAfterAnEmptyReply)
{
    ShowReply(kReply);
    dialog.ParseStatusReply(""); // "Server Did Not Respond": the display keeps the last reply
    ASSERT_EQ(boxes.Texts(), std::vector<std::string>{"Server Did Not Respond"});
    PressCtrlC(kPlayerListId);
    const auto json = nlohmann::json::parse(Clipboard().data("application/json").toStdString());
    EXPECT_EQ(json["players"].size(), 2u);
}

TEST_F(Share, NothingIsCopiedBeforeTheFirstReply)
{
    EXPECT_FALSE(ChooseFromPlayerMenu(kCopyStandingsCommand));
    PressCtrlC(kPlayerListId);
    EXPECT_EQ(Clipboard().text(), "before");
    EXPECT_FALSE(Clipboard().hasFormat("application/json"));
}

TEST_F(Share, CtrlCInAnEditCopiesTheEditsText)
{
    ShowReply(kReply);
    auto* host = qobject_cast<QLineEdit*>(Item(kHostEditId));
    host->setFocus();
    host->selectAll();
    QTest::keyClick(host, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().text(), "127.0.0.1");
    EXPECT_FALSE(Clipboard().hasFormat("application/json"));
}

TEST_F(Share, CopyServerAddressGivesTextAndAQwLink)
{
    struct Case
    {
        const char* name;
        const char* host;
        const char* port;
        const char* text; // nullptr: the entry is greyed and the clipboard keeps "before"
        const char* link; // nullptr: no text/uri-list
    };
    const Case cases[] = {
        {"address", "10.0.0.1", "27500", "10.0.0.1:27500", "qw://10.0.0.1:27500"},
        {"name", "qw.example", "27501", "qw.example:27501", "qw://qw.example:27501"},
        {"no URL host", "a b", "27500", "a b:27500", nullptr},
        {"empty host", "", "27500", nullptr, nullptr},
        {"port zero", "10.0.0.1", "0", nullptr, nullptr},
    };
    for (const Case& copy : cases) {
        SCOPED_TRACE(copy.name);
        QGuiApplication::clipboard()->setText("before");
        SetControlText(dialog, kHostEditId, copy.host);
        SetControlText(dialog, kPortComboId, copy.port);
        EXPECT_EQ(ChooseFromPlayerMenu(kCopyAddressCommand), copy.text != nullptr);
        EXPECT_EQ(Clipboard().text().toStdString(), copy.text ? copy.text : "before");
        const QList<QUrl> links = Clipboard().urls();
        if (copy.link) {
            ASSERT_EQ(links.size(), 1);
            EXPECT_EQ(links[0].toString().toStdString(), copy.link);
        } else {
            EXPECT_TRUE(links.isEmpty());
        }
    }
}
