// SPDX-License-Identifier: GPL-2.0-or-later
// The text of each kind of widget the framework makes, read and written one way.
#include "framework/WidgetText.h"

#include "framework/LimitedLineEdit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

QString ReadWidgetText(const QWidget* widget)
{
    if (auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->currentText();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    if (widget->isWindow())
        return widget->windowTitle();
    return {};
}

void WriteWidgetText(QWidget* widget, const QString& text)
{
    if (auto* limited = qobject_cast<LimitedLineEdit*>(widget))
        limited->SetTextIgnoringLimit(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(widget))
        combo->setEditText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(text);
    else if (widget->isWindow())
        widget->setWindowTitle(text);
}
