// SPDX-License-Identifier: GPL-2.0-or-later
// The standings display as the person at the window sees it: the rows with their swatches, the
// serverinfo list and its pace, the totals and their colours, and the team-mode switch.
#include "DialogDriver.h"
#include "EventLoopWait.h"
#include "ShownDialogFixture.h"
#include "framework/ImageList.h"
#include "framework/ListViewWidget.h"
#include "framework/TabStopListWidget.h"
#include "res/ResourceIds.h"
#include "status/StatusWireFormat.h"
#include "ui/MonitorDlg.h"
#include "ui/MonitorDlgSeam.h"

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const std::string kHeader(kPrintHeader);

// A status reply: serverinfo pairs ("\\" for none), then player lines
// "userId frags minutes ping "name" "skin" top bottom". A reply of 25 characters or fewer has no
// serverinfo section, so the replies here are longer.
std::string Reply(const std::string& serverInfo, const std::vector<std::string>& players = {})
{
    std::string text = kHeader + serverInfo + "\n";
    for (const std::string& player : players)
        text += player + "\n";
    return text;
}

struct Row
{
    std::string name;
    std::string frags;
    std::string ping;
    std::string skin;
    int image;      // the bottom colour's swatch
    int stateImage; // the top colour's swatch + 1, 0 for none
    bool operator==(const Row&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Row& row)
    {
        return out << row.name << "|" << row.frags << "|" << row.ping << "|" << row.skin << "|"
                   << row.image << "|" << row.stateImage;
    }
};

class StandingsDisplay : public ShownDialogFixture<CMonitorDlg>
{
protected:
    std::vector<Row> Rows()
    {
        std::vector<Row> rows;
        CListCtrl& list = Seam(dialog).playerList;
        for (int item = 0; item < list.GetItemCount(); ++item) {
            rows.push_back({list.GetItemText(item, 0), list.GetItemText(item, 1),
                            list.GetItemText(item, 2), list.GetItemText(item, 3),
                            list.GetItemImage(item),
                            static_cast<int>(list.GetItemState(item, LVIS_STATEIMAGEMASK) >> 12)});
        }
        return rows;
    }

    std::vector<std::string> InfoLines()
    {
        std::vector<std::string> lines;
        for (int index = 0; index < Seam(dialog).infoList.GetCount(); ++index)
            lines.push_back(Seam(dialog).infoList.GetText(index));
        return lines;
    }

    std::vector<std::string> TeamFields()
    {
        return {ControlText(dialog, kTeam1EditId), ControlText(dialog, kTeam2EditId),
                ControlText(dialog, kTeam3EditId)};
    }

    std::vector<std::string> TeamLabels()
    {
        return {ControlText(dialog, kTeam1LabelId), ControlText(dialog, kTeam2LabelId),
                ControlText(dialog, kTeam3LabelId)};
    }

    void TypeTeams(const std::string& one, const std::string& two, const std::string& three)
    {
        TypeText(dialog, kTeam1EditId, one);
        TypeText(dialog, kTeam2EditId, two);
        TypeText(dialog, kTeam3EditId, three);
    }
};

} // namespace

TEST_F(StandingsDisplay, StartsInSkinModeWithColumnsSwatchesAndBlankTotals)
{
    EXPECT_EQ(dialog.GetCheckedRadioButton(kColorRadioId, kSkinRadioId), kSkinRadioId);
    EXPECT_EQ(TeamLabels(), (std::vector<std::string>{"Skin 1", "Skin 2", "Skin 3"}));
    EXPECT_EQ(TeamFields(), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(Seam(dialog).savedColor, (std::array<std::int32_t, 3>{0, 0, 0}));

    const std::pair<const char*, int> columns[] = {
        {"Player", 100}, {"Frags", 50}, {"Ping", 50}, {"Skin", 50}};
    ASSERT_EQ(Seam(dialog).playerList.GetColumnCount(), 4);
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(Seam(dialog).playerList.GetColumnHeading(column), columns[column].first);
        EXPECT_EQ(Seam(dialog).playerList.GetColumnWidth(column), columns[column].second);
    }
    EXPECT_EQ(Seam(dialog).colorImages.GetImageCount(), 14);
    EXPECT_EQ(Seam(dialog).colorImages.ImageSize(), QSize(16, 16));
    EXPECT_EQ(Seam(dialog).playerList.GetImageList(LVSIL_SMALL), &Seam(dialog).colorImages);
    EXPECT_EQ(Seam(dialog).playerList.GetImageList(LVSIL_STATE), &Seam(dialog).colorImages);
    EXPECT_EQ(Seam(dialog).playerList.GetItemCount(), 0);
    for (int id :
         {kServerNameId, kTotalFragsId, kTeam1TotalId, kTeam2TotalId, kTeam3TotalId, kTimeId})
        EXPECT_EQ(ControlText(dialog, id), "") << id;
}

TEST_F(StandingsDisplay, RowsShowPlayersByFragsWithTopThenBottomSwatchAndReadableText)
{
    dialog.ParseStatusReply(
        Reply("\\hostname\\x", {
                                   R"(1 3 10 40 "lowest" "base" 0 0)",
                                   "2 20 12 55 \"\xCC\x61\x62 \xD2\xE5\xE4\" \"\xF2\xE5\xE4\" 4 13",
                                   R"(3 7 5 70 "past strip" "blue" 14 1)",
                                   R"(4 -2 1 999 "negative" "" -1 -5)",
                               }));
    const std::vector<Row> expected = {
        {"Lab Red", "20", "55", "red", 12, 4},    // bottom 13, top 4
        {"past strip", "7", "70", "blue", 0, 14}, // bottom 1, top 14 reads as 0
        {"lowest", "3", "40", "base", 13, 14},    // colour 0 is the last swatch
        {"negative", "-2", "999", "", -1, 0},     // no swatch at all
    };
    EXPECT_EQ(Rows(), expected);
}

TEST_F(StandingsDisplay, ReplyWithoutPlayersShowsOneEmptyRowAndZeroTotals)
{
    dialog.ParseStatusReply(Reply("\\hostname\\Quake", {R"(1 3 10 40 "one" "base" 0 0)"}));
    dialog.ParseStatusReply(Reply("\\hostname\\Quake server"));
    EXPECT_EQ(Rows(), (std::vector<Row>{{"Empty", "", "", "", 15, 0}}));
    EXPECT_EQ(ControlText(dialog, kTotalFragsId), "0");
    EXPECT_EQ(ControlText(dialog, kTimeId), "0 Min.");
}

TEST_F(StandingsDisplay, TotalsShowFragsTeamsAndLongestTime)
{
    TypeTeams("red", "blue", "base");
    dialog.UpdateData(Direction::Save); // as a query cycle does before its reply
    dialog.ParseStatusReply(Reply("\\hostname\\x", {
                                                       R"(1 12 30 40 "a" "red" 4 4)",
                                                       R"(2 5 12 40 "b" "blue" 13 13)",
                                                       R"(3 -3 7 40 "c" "red" 4 4)",
                                                   }));
    const std::pair<int, const char*> shown[] = {{kTotalFragsId, "14"},
                                                 {kTeam1TotalId, "9"},
                                                 {kTeam2TotalId, "5"},
                                                 {kTeam3TotalId, "0"},
                                                 {kTimeId, "30 Min."}};
    for (auto [id, text] : shown)
        EXPECT_EQ(ControlText(dialog, id), text) << id;
}

TEST_F(StandingsDisplay, ServerInfoIsRebuiltOnTheFirstAndEveryTwelfthReplyOnly)
{
    const auto reply = [](int number) {
        return Reply("\\hostname\\Server " + std::to_string(number) + "\\map\\dm" +
                         std::to_string(number),
                     {R"(1 )" + std::to_string(number) + R"( 1 40 "p" "base" 0 0)"});
    };
    for (int number = 1; number <= 13; ++number) {
        SCOPED_TRACE(number);
        dialog.ParseStatusReply(reply(number));
        const int shown = number < 13 ? 1 : 13; // the reply the list was last rebuilt from
        EXPECT_EQ(InfoLines(),
                  (std::vector<std::string>{"hostname\tServer " + std::to_string(shown),
                                            "map\tdm" + std::to_string(shown)}));
        EXPECT_EQ(ControlText(dialog, kServerNameId), "Server " + std::to_string(shown));
        // Rows and totals follow every reply.
        EXPECT_EQ(ControlText(dialog, kTotalFragsId), std::to_string(number));
    }
}

TEST_F(StandingsDisplay, ServerNameComesFromTheExactHostnameKeyAndTheLastOneWins)
{
    struct Case
    {
        const char* name;
        std::string serverInfo;
        std::string shown; // after a first rebuild that showed "Before"
    };
    const std::string kPlayer = R"(1 3 10 40 "one" "base" 0 0)";
    const Case cases[] = {
        {"two keys: the later", "\\hostname\\First\\hostname\\Second", "Second"},
        {"letter case differs", "\\Hostname\\Other", "Before"},
        {"trailing blank", "\\hostname \\Other", "Before"},
        {"no serverinfo pairs", "\\", "Before"},
        {"readable, high-bit bytes", "\\hostname\\\xD1\xD7 \xF3\xE5\xF2\xF6\xE5\xF2", "QW server"},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        Seam(dialog).infoRefreshCountdown = 0;
        dialog.ParseStatusReply(Reply("\\hostname\\Before", {kPlayer}));
        Seam(dialog).infoRefreshCountdown = 0;
        dialog.ParseStatusReply(Reply(testCase.serverInfo, {kPlayer}));
        EXPECT_EQ(ControlText(dialog, kServerNameId), testCase.shown);
        if (testCase.serverInfo == "\\") {
            EXPECT_TRUE(InfoLines().empty()) << "a rebuild without pairs empties the list";
        }
    }
}

TEST_F(StandingsDisplay, ServerInfoLinesAlignValuesToATabStopEverySixtyDialogUnits)
{
    dialog.ParseStatusReply(Reply("\\maxclients\\16\\deathmatch\\1"));
    auto* list = qobject_cast<TabStopListWidget*>(Item(kInfoListId));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->TabStopPixels(), DialogUnitsToPixelsX(60, dialog.BaseUnits()));
    EXPECT_EQ(InfoLines(), (std::vector<std::string>{"maxclients\t16", "deathmatch\t1"}));
}

// Keys come from the server as much as values do: control bytes in them never reach the list (or
// a screen reader), and high-bit letters read as letters.
TEST_F(StandingsDisplay, ServerInfoKeysAreShownReadableLikeTheirValues)
{
    // ESC [2J CR BEL DEL CSI, then "hostname" and "host" in high-bit letters.
    dialog.ParseStatusReply(Reply("\\\x1b[2J\r\x07\x7f\x9b\\v"
                                  "\\\xE8\xEF\xF3\xF4\xEE\xE1\xED\xE5\\\xE8\xEF\xF3\xF4"));
    EXPECT_EQ(InfoLines(), (std::vector<std::string>{"9[2J___9\tv", "hostname\thost"}));
    EXPECT_EQ(ControlText(dialog, kServerNameId), "") << "matched on the bytes, not as shown";
}

TEST_F(StandingsDisplay, ModeSwitchesKeepEachModesEntries)
{
    TypeTeams("red", "blue", "");
    PressButton(dialog, kColorRadioId);
    EXPECT_EQ(TeamLabels(), (std::vector<std::string>{"Color1", "Color2", "Color3"}));
    EXPECT_EQ(TeamFields(), (std::vector<std::string>{"0", "0", "0"}));

    TypeTeams("05", "3x", "none");
    PressButton(dialog, kSkinRadioId);
    EXPECT_EQ(TeamLabels(), (std::vector<std::string>{"Skin 1", "Skin 2", "Skin 3"}));
    EXPECT_EQ(TeamFields(), (std::vector<std::string>{"red", "blue", ""}));

    PressButton(dialog, kColorRadioId);
    EXPECT_EQ(TeamFields(), (std::vector<std::string>{"5", "3", "0"}));
}

TEST_F(StandingsDisplay, PressOnTheModeInForceLosesNoEntries)
{
    TypeTeams("red", "blue", "gold");
    PressButton(dialog, kSkinRadioId);
    EXPECT_EQ(TeamFields(), (std::vector<std::string>{"red", "blue", "gold"}));

    PressButton(dialog, kColorRadioId);
    TypeTeams("4", "13", "12");
    PressButton(dialog, kColorRadioId);
    EXPECT_EQ(TeamFields(), (std::vector<std::string>{"4", "13", "12"}));

    PressButton(dialog, kSkinRadioId);
    EXPECT_EQ(TeamFields(), (std::vector<std::string>{"red", "blue", "gold"}));
    EXPECT_EQ(Seam(dialog).savedColor, (std::array<std::int32_t, 3>{4, 13, 12}));
}

TEST_F(StandingsDisplay, ModeSwitchLeavesRowsAndTotalsUntilTheNextReply)
{
    TypeTeams("red", "", "");
    dialog.UpdateData(Direction::Save);
    dialog.ParseStatusReply(Reply("\\", {R"(1 8 1 40 "a" "red" 4 0)"}));
    PressButton(dialog, kColorRadioId);
    EXPECT_EQ(ControlText(dialog, kTeam1TotalId), "8");
    EXPECT_EQ(Seam(dialog).playerList.GetItemCount(), 1);
}

TEST_F(StandingsDisplay, ArrowKeysMoveAndSelectWithinTheRadioGroup)
{
    auto* color = qobject_cast<QRadioButton*>(Item(kColorRadioId));
    auto* skin = qobject_cast<QRadioButton*>(Item(kSkinRadioId));
    // Tab reaches the group at its selected button.
    EXPECT_TRUE(skin->focusPolicy() & Qt::TabFocus);
    skin->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(RunUntil([&] { return skin->hasFocus(); }));

    PressKey(dialog, kSkinRadioId, Qt::Key_Up);
    EXPECT_TRUE(color->hasFocus());
    EXPECT_EQ(dialog.GetCheckedRadioButton(kColorRadioId, kSkinRadioId), kColorRadioId);
    EXPECT_EQ(TeamLabels(), (std::vector<std::string>{"Color1", "Color2", "Color3"}));

    PressKey(dialog, kColorRadioId, Qt::Key_Down);
    EXPECT_TRUE(skin->hasFocus()) << "Down stays within the group";
    EXPECT_EQ(dialog.GetCheckedRadioButton(kColorRadioId, kSkinRadioId), kSkinRadioId);
    EXPECT_EQ(TeamLabels(), (std::vector<std::string>{"Skin 1", "Skin 2", "Skin 3"}));

    for (QRadioButton* radio : {color, skin}) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(radio);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), QAccessible::RadioButton);
    }
}

TEST_F(StandingsDisplay, RowsCellsAndTotalsAreReadableByAScreenReader)
{
    dialog.ParseStatusReply(Reply("\\", {R"(1 8 1 40 "Alpha" "red" 4 0)"}));
    QApplication::processEvents(); // the view lays its rows out
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(Item(kPlayerListId));
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view->tableInterface(), nullptr);
    const char* cells[] = {"Alpha", "8", "40", "red"};
    for (int column = 0; column < 4; ++column) {
        QAccessibleInterface* cell = view->tableInterface()->cellAt(0, column);
        ASSERT_NE(cell, nullptr) << column;
        EXPECT_EQ(cell->text(QAccessible::Name).toStdString(), cells[column]);
    }
    QAccessibleInterface* total = QAccessible::queryAccessibleInterface(Item(kTotalFragsId));
    ASSERT_NE(total, nullptr);
    EXPECT_EQ(total->text(QAccessible::Name).toStdString(), "Total Frags: 8");
}

TEST_F(StandingsDisplay, ValueFieldsAndServerInfoPaintColouredTextOnBlack)
{
    TypeTeams("red", "blue", "base");
    dialog.UpdateData(Direction::Save);
    dialog.ParseStatusReply(
        Reply("\\hostname\\Coloured\\map\\dm3",
              {R"(1 888 88 40 "Alpha" "red" 4 0)", R"(2 888 88 40 "Beta" "blue" 4 0)",
               R"(3 888 88 40 "Gamma" "base" 4 0)"}));
    dialog.GetSafeHwnd()->repaint();
    const QImage picture = dialog.GetSafeHwnd()->grab().toImage();

    // What a control paints inside its frame: how much is black, how much near a colour (the
    // text's edges are smoothed into the background).
    struct Paint
    {
        int black = 0;
        int near = 0;
        int total = 0;
    };
    const auto paintOf = [&](int id, QColor wanted) {
        Paint paint;
        const QRect area = Item(id)->geometry().adjusted(2, 2, -2, -2);
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor pixel = picture.pixelColor(x, y);
                paint.black += pixel.rgb() == qRgb(0, 0, 0);
                paint.near += std::abs(pixel.red() - wanted.red()) < 48 &&
                              std::abs(pixel.green() - wanted.green()) < 48 &&
                              std::abs(pixel.blue() - wanted.blue()) < 48;
                ++paint.total;
            }
        }
        return paint;
    };
    const std::pair<int, QColor> colored[] = {
        {kTotalFragsId, QColor(0, 255, 0)},   {kTeam1TotalId, QColor(255, 255, 0)},
        {kTeam2TotalId, QColor(255, 255, 0)}, {kTeam3TotalId, QColor(255, 255, 0)},
        {kTimeId, QColor(255, 96, 96)},       {kInfoListId, QColor(255, 255, 0)},
    };
    for (auto [id, text] : colored) {
        SCOPED_TRACE(id);
        const Paint paint = paintOf(id, text);
        EXPECT_GT(paint.black, paint.total / 2) << "black background";
        EXPECT_GT(paint.near, 3) << "text in its colour";
    }
    // Controls outside the six keep the theme's colours.
    for (int id : {kTeam1LabelId, kPlayerListId, kTeam1EditId}) {
        SCOPED_TRACE(id);
        EXPECT_LT(paintOf(id, Qt::black).black, paintOf(id, Qt::black).total / 2);
    }
}
