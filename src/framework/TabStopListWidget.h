// SPDX-License-Identifier: GPL-2.0-or-later
// The list box's widget: plain-text lines whose tab characters expand to regular tab stops
// (in dialog units, converted with the dialog's base units), like the native list box.
#pragma once

#include "framework/DialogUnits.h"

#include <QListWidget>

class TabStopListWidget : public QListWidget
{
    Q_OBJECT

public:
    TabStopListWidget(QWidget* parent, DialogBaseUnits baseUnits);

    void SetTabStopDialogUnits(int units);
    int TabStopPixels() const { return tabStopPixels; }

private:
    DialogBaseUnits baseUnits;
    int tabStopPixels = 0;
};
