// SPDX-License-Identifier: GPL-2.0-or-later
// The monitor dialog as the person at it sees it: the start state, the template, the exchange's
// validation and the ways the dialog ends.
#include "ui/MonitorDlg.h"

#include "DialogDriver.h"
#include "EventLoopWait.h"
#include "MessageBoxRecorder.h"
#include "ShownDialogFixture.h"
#include "framework/Menu.h"
#include "res/ResourceIds.h"
#include "ui/MonitorDlgSeam.h"

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

class MonitorDialog : public ShownDialogFixture<CMonitorDlg>
{
protected:
    // Fills host and port with values other than the members', to see whether a save reached
    // them.
    void EnterHostAndPort()
    {
        TypeText(dialog, kHostEditId, "10.0.0.1");
        TypeText(dialog, kPortComboId, "27500");
    }
};

} // namespace

TEST_F(MonitorDialog, StartsWithTheDefaultsShownAndTheFocusOnTheHost)
{
    EXPECT_EQ(dialog.GetWindowText(), "Tallyhawk");
    EXPECT_EQ(ControlText(dialog, kHostEditId), "127.0.0.1");
    EXPECT_EQ(ControlText(dialog, kPortComboId), "27000");
    EXPECT_EQ(Seam(dialog).portCombo.GetCurSel(), 0);
    EXPECT_EQ(ControlText(dialog, kRefreshEditId), "15");
    // The template's "Server:" and "12345678" are overwritten before the window shows.
    for (int id : {kTeam1EditId, kTeam2EditId, kTeam3EditId, kPasteEditId, kServerNameId,
                   kTotalFragsId, kTimeId, kTeam1TotalId, kTeam2TotalId, kTeam3TotalId}) {
        EXPECT_EQ(ControlText(dialog, id), "") << id;
    }
    EXPECT_EQ(FocusedControl(dialog), Item(kHostEditId));
    EXPECT_EQ(Seam(dialog).hostEdit.GetLimitText(), 15);
    EXPECT_EQ(Seam(dialog).observeButton.GetIcon(), Seam(dialog).appIcon);
    EXPECT_EQ(dialog.GetIcon(true), Seam(dialog).appIcon);
    EXPECT_EQ(dialog.GetIcon(false), Seam(dialog).appIcon);
    EXPECT_TRUE(boxes.Records().empty());
}

TEST_F(MonitorDialog, ControlObjectsAreAttachedToTheirControls)
{
    EXPECT_EQ(Seam(dialog).playerList.GetSafeHwnd(), Item(kPlayerListId));
    EXPECT_EQ(Seam(dialog).observeButton.GetSafeHwnd(), Item(kObserveButtonId));
    EXPECT_EQ(Seam(dialog).watchButton.GetSafeHwnd(), Item(kWatchButtonId));
    EXPECT_EQ(Seam(dialog).portCombo.GetSafeHwnd(), Item(kPortComboId));
    EXPECT_EQ(Seam(dialog).hostEdit.GetSafeHwnd(), Item(kHostEditId));
    EXPECT_EQ(Seam(dialog).stopButton.GetSafeHwnd(), Item(kStopButtonId));
    EXPECT_EQ(Seam(dialog).infoList.GetSafeHwnd(), Item(kInfoListId));
}

TEST_F(MonitorDialog, TemplateHoldsEveryControlWithItsKindAndCaption)
{
    struct Expected
    {
        int id;
        const char* className;
        const char* caption;
    };
    const Expected controls[] = {
        {kHostEditId, "LimitedLineEdit", ""},
        {kPortComboId, "QComboBox", "27000"},
        {kRefreshEditId, "LimitedLineEdit", "15"},
        {kTeamSetupGroupId, "QGroupBox", "Team Setup"},
        {kTeam1EditId, "LimitedLineEdit", ""},
        {kTeam2EditId, "LimitedLineEdit", ""},
        {kTeam3EditId, "LimitedLineEdit", ""},
        {kPasteEditId, "LimitedLineEdit", ""},
        {kColorRadioId, "QRadioButton", "Color"},
        {kSkinRadioId, "QRadioButton", "Skin "},
        {IDOK, "QPushButton", "Quit"},
        {kWatchButtonId, "QPushButton", "Watch Server"},
        {kAboutButtonId, "QPushButton", "About"},
        {kStopButtonId, "QPushButton", "STOP"},
        {kObserveButtonId, "QPushButton", ""},
        {kInfoListId, "TabStopListWidget", nullptr},
        {kPlayerListId, "ListViewWidget", nullptr},
    };
    for (const Expected& control : controls) {
        SCOPED_TRACE(control.id);
        ASSERT_NE(Item(control.id), nullptr);
        EXPECT_STREQ(Item(control.id)->metaObject()->className(), control.className);
        if (control.caption && control.id != kHostEditId) {
            EXPECT_EQ(ControlText(dialog, control.id), control.caption);
        }
        EXPECT_TRUE(Item(control.id)->isEnabled()); // "STOP" too starts enabled
    }
    EXPECT_EQ(dialog.Template()->controls.size(), 37u);
    DialogBaseUnits base = dialog.BaseUnits();
    EXPECT_EQ(Item(kHostEditId)->geometry(), QRect(MulDiv(152, base.x, 4), MulDiv(7, base.y, 8),
                                                   MulDiv(107, base.x, 4), MulDiv(14, base.y, 8)));
    EXPECT_EQ(dialog.GetSafeHwnd()->size(), QSize(MulDiv(442, base.x, 4), MulDiv(187, base.y, 8)));
    EXPECT_FALSE(Item(kColorRadioId)->focusPolicy() & Qt::TabFocus);
}

TEST_F(MonitorDialog, PortListIsSorted)
{
    std::vector<std::string> ports;
    for (int index = 0; index < Seam(dialog).portCombo.GetCount(); ++index)
        ports.push_back(Seam(dialog).portCombo.GetLBText(index));
    EXPECT_EQ(ports, (std::vector<std::string>{"27000", "27500", "27501", "27502", "27600"}));
}

TEST_F(MonitorDialog, SystemMenuHasTheAboutEntryThenTheWindowsCommands)
{
    CMenu* menu = dialog.GetSystemMenu(false);
    std::vector<std::pair<UINT, std::string>> entries;
    for (int position = 7; position < menu->GetMenuItemCount(); ++position)
        entries.emplace_back(menu->GetMenuItemId(position), menu->GetMenuString(position));
    const std::vector<std::pair<UINT, std::string>> expected{
        {0, ""},
        {kAboutCommand, "&About Tallyhawk..."},
        {0, ""},
        {kCopyStandingsCommand, "&Copy Standings"},
        {kCopyAddressCommand, "Copy Server &Address"},
        {0, ""},
        {kAlertsCommand, "&Alerts..."},
        {kRecordMatchCommand, "&Record Match..."},
        {kTimelineCommand, "&Timeline"},
    };
    EXPECT_EQ(entries, expected);
}

TEST_F(MonitorDialog, RefreshOutsideTheRangeIsRefusedAndKept)
{
    for (const char* typed : {"0", "4", "1201", "-5"}) {
        SCOPED_TRACE(typed);
        EnterHostAndPort();
        TypeText(dialog, kRefreshEditId, typed);
        PressButton(dialog, IDOK);
        EXPECT_FALSE(dialog.Result());
        ASSERT_FALSE(boxes.Records().empty());
        EXPECT_EQ(boxes.Records().back().text, "Please enter an integer between 5 and 1200.");
        EXPECT_EQ(boxes.Records().back().icon, MessageBoxIcon::Exclamation);
        EXPECT_EQ(FocusedControl(dialog), Item(kRefreshEditId));
        EXPECT_EQ(SelectedText(dialog, kRefreshEditId), typed);
        EXPECT_EQ(Seam(dialog).refreshSeconds, std::stoi(typed));
        EXPECT_EQ(Seam(dialog).hostText, "127.0.0.1");
        EXPECT_EQ(Seam(dialog).portText, "27000");
    }
}

TEST_F(MonitorDialog, RefreshThatIsNoIntegerIsRefusedAndTheMembersKeepTheirValues)
{
    for (const char* typed : {"", "abc", "20s", "0x10"}) {
        SCOPED_TRACE(typed);
        EnterHostAndPort();
        TypeText(dialog, kTeam1EditId, "red");
        TypeText(dialog, kRefreshEditId, typed);
        PressButton(dialog, IDOK);
        EXPECT_FALSE(dialog.Result());
        ASSERT_FALSE(boxes.Records().empty());
        EXPECT_EQ(boxes.Records().back().text, "Please enter an integer.");
        EXPECT_EQ(FocusedControl(dialog), Item(kRefreshEditId));
        EXPECT_EQ(Seam(dialog).refreshSeconds, 15);
        EXPECT_EQ(Seam(dialog).hostText, "127.0.0.1");
        EXPECT_EQ(Seam(dialog).portText, "27000");
        EXPECT_EQ(Seam(dialog).team1Text, "");
    }
}

TEST_F(MonitorDialog, RefreshWithBlanksSignOrLeadingZerosIsAccepted)
{
    for (const char* typed : {" 20 ", "+20", "0020"}) {
        SCOPED_TRACE(typed);
        TypeText(dialog, kRefreshEditId, typed);
        EXPECT_TRUE(dialog.UpdateData(Direction::Save));
        EXPECT_EQ(Seam(dialog).refreshSeconds, 20);
    }
    EXPECT_TRUE(boxes.Records().empty());
}

TEST_F(MonitorDialog, HostIsLimitedTo15Characters)
{
    TypeText(dialog, kHostEditId, "123.123.123.1234567");
    EXPECT_EQ(ControlText(dialog, kHostEditId), "123.123.123.123");

    // A handler may write a longer host; the next save refuses it.
    SetControlText(dialog, kHostEditId, "quake.example.org");
    TypeText(dialog, kTeam1EditId, "red");
    PressButton(dialog, IDOK);
    EXPECT_FALSE(dialog.Result());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Please enter no more than 15 characters."});
    EXPECT_EQ(FocusedControl(dialog), Item(kHostEditId));
    EXPECT_EQ(SelectedText(dialog, kHostEditId), "quake.example.org");
    EXPECT_EQ(Seam(dialog).hostText, "quake.example.org"); // the failing step's own member
    EXPECT_EQ(Seam(dialog).team1Text, "");
}

TEST_F(MonitorDialog, TypedPortThatBeginsAListedPortBecomesThatPortOnTheNextLoad)
{
    TypeText(dialog, kPortComboId, "2750");
    ASSERT_TRUE(dialog.UpdateData(Direction::Save));
    EXPECT_EQ(Seam(dialog).portText, "2750");
    ASSERT_TRUE(dialog.UpdateData(Direction::Load));
    EXPECT_EQ(ControlText(dialog, kPortComboId), "27500");
    EXPECT_EQ(Seam(dialog).portCombo.GetLBText(Seam(dialog).portCombo.GetCurSel()), "27500");
    ASSERT_TRUE(dialog.UpdateData(Direction::Save));
    EXPECT_EQ(Seam(dialog).portText, "27500");

    TypeText(dialog, kPortComboId, "26000");
    ASSERT_TRUE(dialog.UpdateData(Direction::Save));
    ASSERT_TRUE(dialog.UpdateData(Direction::Load));
    EXPECT_EQ(ControlText(dialog, kPortComboId), "26000");
}

TEST(MonitorDialogStart, PortOutsideTheListIsShownWithNothingSelected)
{
    MessageBoxRecorder boxes;
    CMonitorDlg dialog;
    Seam(dialog).portText = "26000";
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(ControlText(dialog, kPortComboId), "26000");
    EXPECT_EQ(Seam(dialog).portCombo.GetCurSel(), CB_ERR);
}

// The "Match Info" frame reaches over the lower edge of the host edit and the port combo.
TEST_F(MonitorDialog, HostAndPortTakeClicksWhereTheMatchInfoFrameOverlapsThem)
{
    for (int id : {kHostEditId, kPortComboId}) {
        const QRect area = Item(id)->geometry();
        const QPoint lowerEdge(area.center().x(), area.bottom() - 1);
        QWidget* hit = dialog.GetSafeHwnd()->childAt(lowerEdge);
        ASSERT_NE(hit, nullptr) << id;
        EXPECT_TRUE(hit == Item(id) || Item(id)->isAncestorOf(hit)) << id;
    }
}

TEST_F(MonitorDialog, EscapeEndsEvenWithAnInvalidRefreshButQuitDoesNot)
{
    TypeText(dialog, kRefreshEditId, "abc");
    PressButton(dialog, IDOK);
    EXPECT_FALSE(dialog.Result());
    PressKey(dialog, kRefreshEditId, Qt::Key_Escape);
    EXPECT_EQ(dialog.Result(), IDCANCEL);
    EXPECT_EQ(boxes.Records().size(), 1u); // only Quit's
}

TEST_F(MonitorDialog, CloseBoxEndsWithoutAnExchange)
{
    TypeText(dialog, kRefreshEditId, "abc");
    dialog.GetSafeHwnd()->close();
    EXPECT_EQ(dialog.Result(), IDCANCEL);
    EXPECT_TRUE(boxes.Records().empty());
}

TEST_F(MonitorDialog, EnterInTheHostEditEndsLikeQuit)
{
    TypeText(dialog, kHostEditId, "192.168.0.7");
    PressKey(dialog, kHostEditId, Qt::Key_Return);
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_EQ(Seam(dialog).hostText, "192.168.0.7");
}

TEST_F(MonitorDialog, EnterInThePortComboEndsLikeQuit)
{
    TypeText(dialog, kPortComboId, "27501");
    PressKey(dialog, kPortComboId, Qt::Key_Enter);
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_EQ(Seam(dialog).portText, "27501");
}

TEST_F(MonitorDialog, LoadingUnchangedMembersLeavesTheControlsUntouched)
{
    int writes = 0;
    for (int id : {kHostEditId, kRefreshEditId, kTeam1EditId, kPasteEditId}) {
        QObject::connect(qobject_cast<QLineEdit*>(Item(id)), &QLineEdit::textChanged,
                         [&writes] { ++writes; });
    }
    ASSERT_TRUE(dialog.UpdateData(Direction::Load));
    EXPECT_EQ(writes, 0);
}

// The watch cycle's buttons and the shell's have tests of their own.
TEST_F(MonitorDialog, RoutedHandlersLeaveTheDialogAsItIsForNow)
{
    for (int id : {kColorRadioId})
        PressButton(dialog, id);
    EXPECT_EQ(dialog.SendMessage(WM_QUERYDRAGICON, 0, 0),
              reinterpret_cast<LRESULT>(Seam(dialog).appIcon));
    EXPECT_FALSE(dialog.Result());
    EXPECT_TRUE(boxes.Records().empty());
    dialog.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(dialog.Result(), IDCANCEL);
}
