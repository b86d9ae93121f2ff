// SPDX-License-Identifier: GPL-2.0-or-later
// What a screen reader hears for the controls of a template (901): captions found by layout,
// names that follow their caption's text, value statics read with their caption.
#include "DialogDriver.h"
#include "ShownDialogFixture.h"
#include "framework/Dialog.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Controls of template 901, and the caption statics (50 and up) beside them. Nearer captions come
// first in the template, so the nearest wins by its place, not by template order.
constexpr int kNameEdit = 30;  // "Far" and "Name" on its left, "Heading" above
constexpr int kPortCombo = 31; // "Port" on its left
constexpr int kNotesEdit = 32; // "Notes" above
constexpr int kServerList = 33;
constexpr int kPlayerView = 34;
constexpr int kTotalValue = 35; // "Total:" on its left, shows "12"
constexpr int kScoreValue = 36; // "Score" on its left, empty
constexpr int kFramedEdit = 37; // in a group box, "Outside" above the box
constexpr int kInsideEdit = 38;
constexpr int kSearchEdit = 39; // named by the template, "Find" on its left
constexpr int kRangeFirst = 40; // "Range" above both
constexpr int kRangeSecond = 41;
constexpr int kFarCaption = 50;
constexpr int kNameCaption = 51;
constexpr int kHeadingCaption = 52;
constexpr int kPortCaption = 53;
constexpr int kNotesCaption = 54;
constexpr int kServersCaption = 55;
constexpr int kPlayersCaption = 56;
constexpr int kTotalCaption = 57;
constexpr int kScoreCaption = 58;
constexpr int kOutsideCaption = 59;
constexpr int kInsideCaption = 60;
constexpr int kFindCaption = 61;
constexpr int kRangeCaption = 62;

class CLabelledDialog : public CDialog
{
public:
    CLabelledDialog() : CDialog(901) {}
};

class AccessibleLabels : public ShownDialogFixture<CLabelledDialog>
{
protected:
    // The controls that caption `captionId` reports it labels.
    std::vector<QObject*> Labelled(int captionId)
    {
        std::vector<QObject*> objects;
        for (const auto& [control, relation] :
             Accessible(captionId)->relations(QAccessible::Labelled))
            objects.push_back(control->object());
        return objects;
    }
};

} // namespace

TEST_F(AccessibleLabels, ControlsAreNamedByTheCaptionBeforeThemInReadingOrder)
{
    struct Case
    {
        const char* what;
        int id;
        const char* name;
        int caption; // 0: no caption labels it
    };
    const Case cases[] = {
        {"the nearest caption on the left wins over the one above", kNameEdit, "Name",
         kNameCaption},
        {"a combo box by its caption, not its text", kPortCombo, "Port", kPortCaption},
        {"a caption directly above", kNotesEdit, "Notes", kNotesCaption},
        {"a list box", kServerList, "Servers:", kServersCaption},
        {"a list view", kPlayerView, "Players", kPlayersCaption},
        {"a value static reads caption and value", kTotalValue, "Total: 12", kTotalCaption},
        {"an empty value static reads its caption", kScoreValue, "Score", kScoreCaption},
        {"a caption outside a group box names nothing in it", kFramedEdit, "", 0},
        {"a caption inside the same group box", kInsideEdit, "Inside", kInsideCaption},
        {"the template's name wins over a caption", kSearchEdit, "Search", 0},
        {"a caption names the first control that finds it", kRangeFirst, "Range", kRangeCaption},
        {"and no second one", kRangeSecond, "", 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        EXPECT_EQ(AccessibleName(test.id), test.name);
        QLabel* buddyOf = nullptr;
        for (QLabel* label : dialog.GetSafeHwnd()->findChildren<QLabel*>()) {
            if (label->buddy() == Item(test.id))
                buddyOf = label;
        }
        EXPECT_EQ(buddyOf, test.caption ? Item(test.caption) : nullptr);
        if (test.caption) {
            EXPECT_EQ(Labelled(test.caption), std::vector<QObject*>{Item(test.id)});
        }
        // Qt's list interfaces report no label relation of their own; the caption's is there.
        if (test.id != kServerList && test.id != kPlayerView) {
            std::vector<std::string> expected;
            if (test.caption)
                expected.push_back(ControlText(dialog, test.caption));
            EXPECT_EQ(LabelNames(test.id), expected);
        }
    }
    for (int unused : {kFarCaption, kHeadingCaption, kOutsideCaption, kFindCaption}) {
        EXPECT_EQ(qobject_cast<QLabel*>(Item(unused))->buddy(), nullptr) << unused;
    }
}

TEST_F(AccessibleLabels, NamesFollowTheirCaptionsText)
{
    struct Case
    {
        int caption;
        const char* text;
        int id;
        const char* name;
    };
    const Case cases[] = {
        {kNameCaption, "Nick", kNameEdit, "Nick"},
        {kPortCaption, "Server port", kPortCombo, "Server port"},
        {kTotalCaption, "Sum", kTotalValue, "Sum: 12"},
        {kNameCaption, "Name", kNameEdit, "Name"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.text);
        SetControlText(dialog, test.caption, test.text);
        EXPECT_EQ(AccessibleName(test.id), test.name);
        EXPECT_EQ(LabelNames(test.id), std::vector<std::string>{test.text});
    }
}

TEST_F(AccessibleLabels, ValueStaticIsReadWithItsCaptionWhateverItShows)
{
    struct Case
    {
        int id;
        const char* text;
        const char* name;
    };
    const Case cases[] = {
        {kTotalValue, "150", "Total: 150"}, // the caption ends with a colon
        {kScoreValue, "7", "Score: 7"},     // it does not
        {kScoreValue, "12 Min.", "Score: 12 Min."},
        {kTotalValue, "", "Total:"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.text);
        SetControlText(dialog, test.id, test.text);
        EXPECT_EQ(AccessibleName(test.id), test.name);
        EXPECT_EQ(Accessible(test.id)->role(), QAccessible::StaticText);
    }
}

TEST_F(AccessibleLabels, ComboBoxKeepsItsCaptionAsNameAndItsTextAsValue)
{
    SetControlText(dialog, kPortCombo, "27600");
    QAccessibleInterface* combo = Accessible(kPortCombo);
    EXPECT_EQ(combo->role(), QAccessible::ComboBox);
    EXPECT_EQ(combo->text(QAccessible::Name).toStdString(), "Port");
    EXPECT_EQ(combo->text(QAccessible::Value).toStdString(), "27600");
    EXPECT_TRUE(combo->state().editable);
    // Typing goes to its line edit, which a screen reader reaches as its child.
    QLineEdit* edit = qobject_cast<QComboBox*>(Item(kPortCombo))->lineEdit();
    ASSERT_EQ(combo->childCount(), 2);
    EXPECT_EQ(combo->child(1)->object(), edit);
    EXPECT_EQ(combo->indexOfChild(combo->child(1)), 1);
    EXPECT_EQ(combo->focusChild()->object(), edit);
    EXPECT_EQ(combo->child(1)->text(QAccessible::Value).toStdString(), "27600");

    // Without a caption it is heard by its text, as before.
    SetControlText(dialog, kPortCaption, "");
    EXPECT_EQ(combo->text(QAccessible::Name).toStdString(), "27600");
}
