// SPDX-License-Identifier: GPL-2.0-or-later
// The OK and cancel paths, the modal loop, the message map and the control services.
#include "DialogDriver.h"
#include "TestDialog.h"
#include "framework/TabStopListWidget.h"

#include <QTimer>
#include <QTreeWidget>

using namespace std::chrono_literals;

using Dialog = DialogFixture;

TEST_F(Dialog, OkSavesAndEndsOnlyWhenValid)
{
    TypeText(dialog, kNumberEdit, "abc");
    PressButton(dialog, IDOK);
    EXPECT_FALSE(dialog.Result());
    EXPECT_TRUE(dialog.GetSafeHwnd()->isVisible());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Please enter an integer."});

    TypeText(dialog, kNumberEdit, "60");
    PressButton(dialog, IDOK);
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_EQ(dialog.number, 60);
    EXPECT_FALSE(dialog.GetSafeHwnd()->isVisible());
}

TEST_F(Dialog, EscapeAndTheCloseBoxEndWithoutAnExchange)
{
    TypeText(dialog, kNumberEdit, "abc");
    TypeText(dialog, kTextEdit, "unsaved");
    PressKey(dialog, kTextEdit, Qt::Key_Escape);
    EXPECT_EQ(dialog.Result(), IDCANCEL);
    EXPECT_EQ(dialog.text, "start");
    EXPECT_TRUE(boxes.Records().empty());

    CTestDialog other;
    ASSERT_TRUE(other.Create());
    other.GetSafeHwnd()->close();
    EXPECT_EQ(other.systemCommands, std::vector<UINT>{SC_CLOSE});
    EXPECT_EQ(other.Result(), IDCANCEL);
}

TEST_F(Dialog, EnterGoesToTheDefaultCommandUnlessAButtonHasTheFocus)
{
    Item(kPushButton)->setFocus();
    PressKey(dialog, kPushButton, Qt::Key_Return);
    EXPECT_EQ(dialog.notifications, std::vector<std::string>{"click 20"});
    EXPECT_FALSE(dialog.Result());

    TypeText(dialog, kTextEdit, "entered");
    PressKey(dialog, kTextEdit, Qt::Key_Return);
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_EQ(dialog.text, "entered");
}

TEST(DialogModal, RunsANestedLoopUntilEndDialogThenDestroysTheWindow)
{
    MessageBoxRecorder boxes;
    CTestDialog dialog;
    QTimer::singleShot(0, [&dialog] {
        TypeText(dialog, kTextEdit, "modal");
        PressButton(dialog, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.text, "modal");
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    EXPECT_EQ(dialog.list.GetSafeHwnd(), nullptr);

    // It runs again, one run after another, with a new window.
    QTimer::singleShot(0, [&dialog] { dialog.SendMessage(WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(DialogModal, HandlersDoNotRunWhileTheWindowIsTakenDown)
{
    // A focus handler that runs the exchange must not meet half-destroyed controls.
    MessageBoxRecorder boxes;
    CTestDialog dialog;
    int exchanges = 0;
    dialog.onKillFocusLater = [&] {
        ++exchanges;
        dialog.UpdateData(Direction::Save);
    };
    QTimer::singleShot(0, [&dialog] {
        dialog.GetDlgItem(kLaterEdit)->SetFocus();
        QTimer::singleShot(0, [&dialog] { dialog.SendMessage(WM_COMMAND, IDCANCEL, 0); });
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.laterText, "later");
    EXPECT_LE(exchanges, 1); // at most the one of hiding the window
}

TEST_F(Dialog, SendMessageIsHandledBeforeItReturns)
{
    EXPECT_EQ(dialog.SendMessage(WM_TEST_ADD, 2, 3), 5);
    EXPECT_EQ(dialog.SendMessage(WM_USER + 99, 2, 3), 0); // unrouted: default handling
}

TEST_F(Dialog, NotificationsAreRoutedByControlIdentifier)
{
    PressButton(dialog, kPushButton);
    Item(kLaterEdit)->setFocus();
    Item(kTextEdit)->setFocus();
    EXPECT_EQ(dialog.notifications,
              (std::vector<std::string>{"click 20", "setfocus 14", "killfocus 14"}));
}

TEST_F(Dialog, RadioGroupsSelectAndQuery)
{
    dialog.CheckRadioButton(kRadioOne, kRadioThree, kRadioTwo);
    EXPECT_EQ(dialog.GetCheckedRadioButton(kRadioOne, kRadioThree), kRadioTwo);
    EXPECT_TRUE(dialog.notifications.empty()); // selecting is not a click

    PressButton(dialog, kRadioThree); // another group: Two stays on
    EXPECT_EQ(dialog.GetCheckedRadioButton(kRadioOne, kRadioTwo), kRadioTwo);
    PressButton(dialog, kRadioOne);
    EXPECT_EQ(dialog.GetCheckedRadioButton(kRadioOne, kRadioTwo), kRadioOne);
    PressButton(dialog, kRadioTwo);
    PressButton(dialog, kRadioTwo); // a click on the selected button keeps it on
    EXPECT_EQ(dialog.GetCheckedRadioButton(kRadioOne, kRadioTwo), kRadioTwo);
    EXPECT_EQ(dialog.notifications, (std::vector<std::string>{"click 16", "click 16"}));
}

TEST_F(Dialog, ArrowKeysMoveAndSelectWithinOneRadioGroupOnly)
{
    dialog.CheckRadioButton(kRadioOne, kRadioThree, kRadioOne);
    Item(kRadioOne)->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(RunUntil([&] { return Item(kRadioOne)->hasFocus(); }));
    PressKey(dialog, kRadioOne, Qt::Key_Down);
    EXPECT_TRUE(Item(kRadioTwo)->hasFocus());
    EXPECT_EQ(dialog.GetCheckedRadioButton(kRadioOne, kRadioTwo), kRadioTwo);
    EXPECT_EQ(dialog.notifications, (std::vector<std::string>{"click 16"}));

    PressKey(dialog, kRadioTwo, Qt::Key_Down); // Three starts a group of its own
    EXPECT_TRUE(Item(kRadioTwo)->hasFocus());
    EXPECT_EQ(dialog.GetCheckedRadioButton(kRadioThree, kRadioThree), 0);
    // Only the selected button of a group is a tab stop.
    EXPECT_TRUE(Item(kRadioTwo)->focusPolicy() & Qt::TabFocus);
    EXPECT_FALSE(Item(kRadioOne)->focusPolicy() & Qt::TabFocus);
}

TEST_F(Dialog, EnablingAndCaption)
{
    CWnd* edit = dialog.GetDlgItem(kTextEdit);
    edit->EnableWindow(false);
    EXPECT_FALSE(edit->IsWindowEnabled());
    EXPECT_EQ(dialog.GetWindowText(), "Test Dialog");
    dialog.SetWindowText("Test : Sending..");
    EXPECT_EQ(dialog.GetWindowText(), "Test : Sending..");
    EXPECT_EQ(dialog.GetDlgItem(4242), nullptr);
}

TEST_F(Dialog, ListBoxKeepsInsertionOrderWithTabStopsInDialogUnits)
{
    dialog.list.SetTabStops(40);
    dialog.list.AddString("zeta\tone");
    dialog.list.AddString("alpha\ttwo");
    EXPECT_EQ(dialog.list.GetCount(), 2);
    EXPECT_EQ(dialog.list.GetText(0), "zeta\tone");
    EXPECT_EQ(dynamic_cast<TabStopListWidget*>(Item(kList))->TabStopPixels(),
              MulDiv(40, dialog.BaseUnits().x, 4));
    dialog.list.ResetContent();
    EXPECT_EQ(dialog.list.GetCount(), 0);
}

TEST_F(Dialog, ListViewTakesColumns)
{
    EXPECT_EQ(dialog.listView.GetColumnCount(), 0);
    dialog.listView.InsertColumn(0, "Player", LVCFMT_LEFT, 100, 0);
    dialog.listView.InsertColumn(1, "Frags", LVCFMT_LEFT, 50, 1);
    EXPECT_EQ(dialog.listView.GetColumnCount(), 2);
    EXPECT_EQ(dialog.listView.GetColumnHeading(1), "Frags");
    EXPECT_EQ(dialog.listView.GetColumnWidth(0), 100);
}
