// SPDX-License-Identifier: GPL-2.0-or-later
// Driving dialog controls as a person would, through Qt's test input.
#include "DialogDriver.h"

#include "framework/Dialog.h"
#include "framework/Text.h"
#include "framework/WidgetText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace {

QWidget* Control(CDialog& dialog, int id)
{
    QWidget* widget = dialog.GetDlgItemWidget(id);
    if (!widget)
        qFatal("the dialog has no control %d", id);
    return widget;
}

QLineEdit* LineEditOf(QWidget* widget)
{
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->lineEdit();
    return qobject_cast<QLineEdit*>(widget);
}

} // namespace

void PressButton(CDialog& dialog, int id)
{
    auto* button = qobject_cast<QAbstractButton*>(Control(dialog, id));
    if (!button)
        qFatal("control %d is not a button", id);
    button->click();
}

void PressKey(CDialog& dialog, int id, Qt::Key key)
{
    QWidget* widget = Control(dialog, id);
    if (QLineEdit* edit = LineEditOf(widget))
        widget = edit;
    QTest::keyClick(widget, key);
}

void TypeText(CDialog& dialog, int id, const std::string& text)
{
    QLineEdit* edit = LineEditOf(Control(dialog, id));
    if (!edit)
        qFatal("control %d takes no typing", id);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, ToUnicode(text));
}

void SetControlText(CDialog& dialog, int id, const std::string& text)
{
    WriteWidgetText(Control(dialog, id), ToUnicode(text));
}

std::string ControlText(CDialog& dialog, int id)
{
    return ToBytes(ReadWidgetText(Control(dialog, id)));
}

std::string SelectedText(CDialog& dialog, int id)
{
    QLineEdit* edit = LineEditOf(Control(dialog, id));
    return edit ? ToBytes(edit->selectedText()) : std::string();
}

QWidget* FocusedControl(CDialog& dialog)
{
    QWidget* window = dialog.GetSafeHwnd();
    return window ? window->focusWidget() : nullptr;
}
