// SPDX-License-Identifier: GPL-2.0-or-later
// The exchange steps in both directions, their failures, and the notification lockout.
#include "DialogDriver.h"
#include "TestDialog.h"
#include "framework/Edit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace std::chrono_literals;

using DataExchange = DialogFixture;

TEST_F(DataExchange, FirstExchangeAttachesControlsAndShowsMembers)
{
    EXPECT_EQ(dialog.list.GetSafeHwnd(), Item(kList));
    EXPECT_EQ(dialog.listView.GetSafeHwnd(), Item(kListView));
    EXPECT_EQ(ControlText(dialog, kNumberEdit), "15");
    EXPECT_EQ(ControlText(dialog, kTextEdit), "start");
    EXPECT_EQ(ControlText(dialog, kValueField), ""); // the template's caption is overwritten
    EXPECT_EQ(ControlText(dialog, kLaterEdit), "later");
    EXPECT_TRUE(dialog.notifications.empty());
}

TEST_F(DataExchange, SortedComboListsItsInitialDataInCaseBlindOrder)
{
    auto* combo = qobject_cast<QComboBox*>(Item(kCombo));
    QStringList items;
    for (int index = 0; index < combo->count(); ++index)
        items << combo->itemText(index);
    EXPECT_EQ(items, QStringList({"27500", "27600", "Alpha", "alphabet", "beta"}));
}

TEST_F(DataExchange, SavingReadsEveryControlEvenDisabledOnes)
{
    TypeText(dialog, kNumberEdit, "1200");
    TypeText(dialog, kTextEdit, "typed");
    TypeText(dialog, kCombo, "26000");
    SetControlText(dialog, kLaterEdit, "written");
    dialog.GetDlgItem(kLaterEdit)->EnableWindow(false);
    ASSERT_TRUE(dialog.UpdateData(Direction::Save));
    EXPECT_EQ(dialog.number, 1200);
    EXPECT_EQ(dialog.text, "typed");
    EXPECT_EQ(dialog.comboText, "26000");
    EXPECT_EQ(dialog.laterText, "written");
    EXPECT_TRUE(boxes.Records().empty());
}

TEST_F(DataExchange, LoadingWritesOnlyTextsThatDiffer)
{
    int writes = 0;
    QObject::connect(qobject_cast<QLineEdit*>(Item(kTextEdit)), &QLineEdit::textChanged,
                     [&writes] { ++writes; });
    ASSERT_TRUE(dialog.UpdateData(Direction::Load));
    EXPECT_EQ(writes, 0);
    dialog.text = "changed";
    ASSERT_TRUE(dialog.UpdateData(Direction::Load));
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(ControlText(dialog, kTextEdit), "changed");
}

TEST_F(DataExchange, ComboLoadSelectsTheFirstEntryBeginningWithTheText)
{
    struct Case
    {
        const char* member;
        const char* shown;
    };
    const Case cases[] = {{"al", "Alpha"},
                          {"ALPHAB", "alphabet"},
                          {"2750", "27500"},
                          {"26000", "26000"},
                          {"27600", "27600"}};
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.member);
        dialog.comboText = testCase.member;
        ASSERT_TRUE(dialog.UpdateData(Direction::Load));
        EXPECT_EQ(ControlText(dialog, kCombo), testCase.shown);
        ASSERT_TRUE(dialog.UpdateData(Direction::Save));
        EXPECT_EQ(dialog.comboText, testCase.shown);
    }
}

TEST_F(DataExchange, RangeIsCheckedOnlyWhenSaving)
{
    dialog.number = 4000;
    EXPECT_TRUE(dialog.UpdateData(Direction::Load));
    EXPECT_EQ(ControlText(dialog, kNumberEdit), "4000");
    EXPECT_TRUE(boxes.Records().empty());
}

struct FailureCase
{
    const char* name;
    int control;
    const char* typed;
    const char* message;
    std::int32_t numberAfter; // what the member holds after the failed save
};

class ExchangeFailure : public DialogFixture, public testing::WithParamInterface<FailureCase>
{};

TEST_P(ExchangeFailure, ShowsMessageFocusesSelectsAndKeepsLaterMembers)
{
    const FailureCase& failure = GetParam();
    dialog.number = 30;
    ASSERT_TRUE(dialog.UpdateData(Direction::Load));
    if (failure.control == kTextEdit)
        SetControlText(dialog, kTextEdit, failure.typed); // as a handler would, past the limit
    else
        TypeText(dialog, kNumberEdit, failure.typed);
    SetControlText(dialog, kCombo, "27600");
    SetControlText(dialog, kLaterEdit, "new later");
    dialog.GetDlgItem(kLaterEdit)->SetFocus();

    EXPECT_FALSE(dialog.UpdateData(Direction::Save));

    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].text, failure.message);
    EXPECT_EQ(boxes.Records()[0].icon, MessageBoxIcon::Exclamation);
    EXPECT_EQ(boxes.Records()[0].caption, AfxGetAppName());
    EXPECT_EQ(FocusedControl(dialog), Item(failure.control));
    EXPECT_EQ(SelectedText(dialog, failure.control), ControlText(dialog, failure.control));
    EXPECT_EQ(dialog.number, failure.numberAfter);
    EXPECT_EQ(dialog.comboText, "27500");
    EXPECT_EQ(dialog.laterText, "later");
}

INSTANTIATE_TEST_SUITE_P(
    DataExchange, ExchangeFailure,
    testing::Values(
        FailureCase{"Empty", kNumberEdit, "", "Please enter an integer.", 30},
        FailureCase{"Letters", kNumberEdit, "abc", "Please enter an integer.", 30},
        FailureCase{"TrailingLetter", kNumberEdit, "20s", "Please enter an integer.", 30},
        FailureCase{"Hexadecimal", kNumberEdit, "0x10", "Please enter an integer.", 30},
        FailureCase{"Zero", kNumberEdit, "0", "Please enter an integer between 5 and 1200.", 0},
        FailureCase{"BelowRange", kNumberEdit, "4", "Please enter an integer between 5 and 1200.",
                    4},
        FailureCase{"AboveRange", kNumberEdit, "1201",
                    "Please enter an integer between 5 and 1200.", 1201},
        FailureCase{"Negative", kNumberEdit, "-5", "Please enter an integer between 5 and 1200.",
                    -5},
        FailureCase{"TooLong", kTextEdit, "0123456789abcdefXYZ",
                    "Please enter no more than 15 characters.", 30}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST_F(DataExchange, IntegerTextReadsOnlyItsFirst31Characters)
{
    // Characters past the 31st are never looked at, however they read.
    SetControlText(dialog, kNumberEdit, "20" + std::string(29, ' ') + "junk");
    EXPECT_TRUE(dialog.UpdateData(Direction::Save));
    EXPECT_EQ(dialog.number, 20);
}

TEST_F(DataExchange, InputLimitRefusesTypingButKeepsProgramText)
{
    CEdit edit;
    edit.Attach(Item(kTextEdit));
    EXPECT_EQ(edit.GetLimitText(), 15);
    TypeText(dialog, kTextEdit, "0123456789abcdefghij");
    EXPECT_EQ(ControlText(dialog, kTextEdit), "0123456789abcde");

    SetControlText(dialog, kTextEdit, "0123456789abcdefghij");
    EXPECT_EQ(ControlText(dialog, kTextEdit), "0123456789abcdefghij");
    auto* line = qobject_cast<QLineEdit*>(Item(kTextEdit));
    line->setFocus();
    line->end(false);
    QTest::keyClick(line, Qt::Key_X);         // still refused
    QTest::keyClick(line, Qt::Key_Backspace); // shortening is allowed
    EXPECT_EQ(ControlText(dialog, kTextEdit), "0123456789abcdefghi");
}

TEST_F(DataExchange, NotificationsOfTheExchangeAreNotDelivered)
{
    dialog.text = "loaded";
    ASSERT_TRUE(dialog.UpdateData(Direction::Load));
    EXPECT_TRUE(dialog.notifications.empty());

    SetControlText(dialog, kTextEdit, "by a handler");
    TypeText(dialog, kTextEdit, "x");
    EXPECT_FALSE(dialog.notifications.empty());
    for (const std::string& notification : dialog.notifications)
        EXPECT_EQ(notification, "change 11");
}

TEST_F(DataExchange, NestedExchangeLeavesTheLockoutAsItFoundIt)
{
    // A timer tick while the first validation message is open runs a second failing exchange.
    TypeText(dialog, kNumberEdit, "abc");
    boxes.KeepOpenFor(300ms);
    int nested = 0;
    bool lockedAfterNested = false;
    dialog.onTimer = [&](UINT) {
        if (nested++ > 0)
            return;
        dialog.KillTimer(5);
        EXPECT_FALSE(dialog.UpdateData(Direction::Save));
        lockedAfterNested = dialog.NotificationsLocked();
    };
    dialog.SetTimer(5, 20);

    EXPECT_FALSE(dialog.UpdateData(Direction::Save));

    EXPECT_EQ(nested, 1);
    EXPECT_EQ(boxes.MaxOpenAtOnce(), 2);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>(2, "Please enter an integer.")));
    EXPECT_TRUE(lockedAfterNested); // the outer exchange was still running
    EXPECT_FALSE(dialog.NotificationsLocked());
    EXPECT_EQ(FocusedControl(dialog), Item(kNumberEdit));
    SetControlText(dialog, kTextEdit, "after");
    EXPECT_EQ(dialog.notifications, std::vector<std::string>{"change 11"});
}

TEST_F(DataExchange, AnExchangeBrokenOffByAnErrorReportsItAndFails)
{
    dialog.exhaustMemoryInExchange = true;
    SetControlText(dialog, kLaterEdit, "new later");
    EXPECT_FALSE(dialog.UpdateData(Direction::Save));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Out of memory."});
    EXPECT_EQ(dialog.laterText, "later");
    EXPECT_FALSE(dialog.NotificationsLocked());
}
