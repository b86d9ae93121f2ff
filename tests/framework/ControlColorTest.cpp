// SPDX-License-Identifier: GPL-2.0-or-later
// Control colours: every painting control asks its dialog with the theme's colours in the device
// context, and paints with what the handler left there and the brush it returned.
#include "TestDialog.h"
#include "framework/Gdi.h"

#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>
#include <map>

namespace {

class ControlColors : public DialogFixture
{
protected:
    QImage Render()
    {
        dialog.GetSafeHwnd()->repaint();
        return dialog.GetSafeHwnd()->grab().toImage();
    }

    // The share of a control's inner pixels that have exactly `color`.
    double Share(const QImage& picture, int id, QRgb color)
    {
        const QRect area = Item(id)->geometry().adjusted(2, 2, -2, -2);
        int matching = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                matching += (picture.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
        return static_cast<double>(matching) / (area.width() * area.height());
    }

    CBrush blue;
};

TEST_F(ControlColors, HandlerColoursApplyToTheAskingControlOnly)
{
    ASSERT_TRUE(blue.CreateSolidBrush(RGB(0, 0, 255)));
    std::map<QWidget*, UINT> kinds;
    std::map<QWidget*, COLORREF> offeredText;
    dialog.onControlColor = [&](CDC* dc, CWnd* control, UINT kind) -> HBRUSH {
        kinds[control->GetSafeHwnd()] = kind;
        offeredText[control->GetSafeHwnd()] = dc->GetTextColor();
        if (control->GetSafeHwnd() != Item(kList))
            return nullptr;
        dc->SetTextColor(RGB(255, 255, 0));
        return blue.GetSafeHandle();
    };
    dialog.list.AddString("coloured line");
    const QImage picture = Render();

    EXPECT_GT(Share(picture, kList, qRgb(0, 0, 255)), 0.5);
    EXPECT_GT(Share(picture, kList, qRgb(255, 255, 0)), 0.0);
    // Its neighbour keeps the theme: no blue behind the edit's text.
    EXPECT_EQ(Share(picture, kLaterEdit, qRgb(0, 0, 255)), 0.0);

    EXPECT_EQ(kinds[Item(kList)], CTLCOLOR_LISTBOX);
    EXPECT_EQ(kinds[Item(kValueField)], CTLCOLOR_STATIC);
    EXPECT_EQ(kinds[Item(kTextEdit)], CTLCOLOR_EDIT);
    EXPECT_EQ(kinds[Item(kPushButton)], CTLCOLOR_BTN);
    EXPECT_EQ(kinds.count(Item(kListView)), 0u) << "the list view does not ask";
    // The device context arrives with the theme's colours.
    EXPECT_EQ(offeredText[Item(kValueField)],
              ToColorRef(QApplication::palette(Item(kValueField)).color(QPalette::WindowText)));
}

TEST_F(ControlColors, ThemeColoursComeBackWhenTheHandlerStopsColouring)
{
    ASSERT_TRUE(blue.CreateSolidBrush(RGB(0, 0, 255)));
    bool colouring = true;
    dialog.onControlColor = [&](CDC*, CWnd* control, UINT) -> HBRUSH {
        return colouring && control->GetSafeHwnd() == Item(kList) ? blue.GetSafeHandle() : nullptr;
    };
    EXPECT_GT(Share(Render(), kList, qRgb(0, 0, 255)), 0.5);
    colouring = false;
    EXPECT_EQ(Share(Render(), kList, qRgb(0, 0, 255)), 0.0);
}

TEST_F(ControlColors, ControlLeftAloneKeepsTheThemesDisabledLook)
{
    ASSERT_TRUE(blue.CreateSolidBrush(RGB(0, 0, 255)));
    dialog.onControlColor = [&](CDC* dc, CWnd* control, UINT) -> HBRUSH {
        if (control->GetSafeHwnd() != Item(kList))
            return nullptr;
        dc->SetTextColor(RGB(255, 255, 0));
        return blue.GetSafeHandle();
    };
    Item(kTextEdit)->setEnabled(false);
    const QPalette theme = QApplication::palette(Item(kTextEdit));
    ASSERT_NE(theme.color(QPalette::Disabled, QPalette::Base),
              theme.color(QPalette::Active, QPalette::Base));
    const QImage picture = Render();

    EXPECT_GT(Share(picture, kTextEdit, theme.color(QPalette::Disabled, QPalette::Base).rgb()),
              0.5);
    EXPECT_EQ(Item(kTextEdit)->palette().color(QPalette::Disabled, QPalette::Text),
              theme.color(QPalette::Disabled, QPalette::Text));
}

} // namespace
