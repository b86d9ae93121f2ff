// SPDX-License-Identifier: GPL-2.0-or-later
// Button operations over QAbstractButton.
#include "framework/Button.h"

#include "framework/Resources.h"

#include <QAbstractButton>
#include <QIcon>

HICON CButton::SetIcon(HICON newIcon)
{
    HICON previous = icon;
    icon = newIcon;
    if (auto* button = qobject_cast<QAbstractButton*>(GetSafeHwnd())) {
        button->setIcon(icon ? *icon : QIcon());
        button->setIconSize(QSize(kStandardIconPixels, kStandardIconPixels));
    }
    return previous;
}
