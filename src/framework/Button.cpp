// Push and radio button operations over QAbstractButton.
#include "framework/Button.h"

#include <QAbstractButton>
#include <QIcon>

HICON CButton::SetIcon(HICON newIcon)
{
    HICON previous = icon;
    icon = newIcon;
    if (auto* button = qobject_cast<QAbstractButton*>(GetSafeHwnd())) {
        button->setIcon(icon ? *icon : QIcon());
        button->setIconSize(QSize(32, 32));
    }
    return previous;
}

bool CButton::GetCheck() const
{
    auto* button = qobject_cast<QAbstractButton*>(GetSafeHwnd());
    return button && button->isChecked();
}

void CButton::SetCheck(bool checked)
{
    if (auto* button = qobject_cast<QAbstractButton*>(GetSafeHwnd()))
        button->setChecked(checked);
}
