// SPDX-License-Identifier: GPL-2.0-or-later
// Layout from dialog units and tab order.
#include "DialogDriver.h"
#include "TestDialog.h"
#include "framework/ControlId.h"
#include "framework/DialogTemplate.h"

#include <QLabel>
#include <optional>

TEST(DialogUnits, MulDivRoundsHalfAwayFromZero)
{
    EXPECT_EQ(MulDiv(3, 6, 4), 5);   // 4.5
    EXPECT_EQ(MulDiv(-3, 6, 4), -5); // -4.5
    EXPECT_EQ(MulDiv(7, 13, 8), 11); // 11.375
    EXPECT_EQ(MulDiv(442, 7, 4), 774);
}

TEST(DialogUnits, BaseUnitsComeFromARealSansFontOfEightPoints)
{
    DialogBaseUnits base = BaseUnitsOf(DialogFont(8));
    EXPECT_GE(base.x, 4);
    EXPECT_LE(base.x, 9);
    EXPECT_GE(base.y, 10);
    EXPECT_LE(base.y, 18);
}

TEST_F(DialogFixture, ControlsArePlacedFromDialogUnits)
{
    DialogBaseUnits base = dialog.BaseUnits();
    EXPECT_EQ(dialog.GetSafeHwnd()->size(), QSize(MulDiv(200, base.x, 4), MulDiv(120, base.y, 8)));
    for (const ControlTemplate& control : dialog.Template()->controls) {
        if (control.id == IDC_STATIC || control.kind == ControlKind::ComboBox)
            continue;
        SCOPED_TRACE(control.id);
        EXPECT_EQ(Item(control.id)->geometry(),
                  QRect(MulDiv(control.x, base.x, 4), MulDiv(control.y, base.y, 8),
                        MulDiv(control.width, base.x, 4), MulDiv(control.height, base.y, 8)));
    }
    // A combo box's template height includes its dropped list; closed, it is one line high.
    QRect combo = Item(kCombo)->geometry();
    EXPECT_EQ(combo.topLeft(), QPoint(MulDiv(130, base.x, 4), MulDiv(10, base.y, 8)));
    EXPECT_LT(combo.height(), MulDiv(60, base.y, 8));
}

TEST_F(DialogFixture, TabOrderIsTemplateOrderOverTabStops)
{
    std::vector<int> order;
    QWidget* widget = Item(kNumberEdit);
    do {
        // Only the controls themselves: a combo box's inner edit is part of its control.
        std::optional<int> id = ControlIdOf(*widget);
        if ((widget->focusPolicy() & Qt::TabFocus) && id)
            order.push_back(*id);
        widget = widget->nextInFocusChain();
    } while (widget != Item(kNumberEdit));
    EXPECT_EQ(order, (std::vector<int>{kNumberEdit, kTextEdit, kCombo, kLaterEdit, kList, kListView,
                                       kPushButton, IDOK}));
    EXPECT_EQ(FocusedControl(dialog), Item(kNumberEdit)); // the first tab stop has the focus
}

TEST_F(DialogFixture, ResizingAndMaximisingLeaveControlsInPlace)
{
    std::map<int, QRect> before;
    for (const ControlTemplate& control : dialog.Template()->controls) {
        if (control.id != IDC_STATIC)
            before[control.id] = Item(control.id)->geometry();
    }
    dialog.GetSafeHwnd()->resize(900, 700);
    dialog.SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    RunFor(std::chrono::milliseconds(20));
    for (const auto& [id, rect] : before)
        EXPECT_EQ(Item(id)->geometry(), rect) << id;
}

TEST_F(DialogFixture, StaticTextsShowMarkupAsText)
{
    for (QLabel* label : dialog.GetSafeHwnd()->findChildren<QLabel*>()) {
        if (label->text() == "<b>not bold</b>") {
            EXPECT_EQ(label->textFormat(), Qt::PlainText);
        }
    }
    dialog.SetWindowText("<i>caption</i>");
    EXPECT_EQ(dialog.GetWindowText(), "<i>caption</i>");
}
