// SPDX-License-Identifier: GPL-2.0-or-later
// Makes the widgets of a dialog template inside the dialog's window, placed from dialog units,
// in template order (which is also the tab order), and wires their notifications to the dialog
// as WM_COMMAND messages: button clicks, edit changes and edit focus gained or lost.
#pragma once

#include "framework/DialogTemplate.h"
#include "framework/DialogUnits.h"

#include <map>

class CWnd;
class QWidget;

// The identified controls by identifier; controls without an identifier are made but not listed.
std::map<int, QWidget*> BuildControls(const DialogTemplate& dialogTemplate, DialogBaseUnits base,
                                      QWidget& window, CWnd& notifyTarget);
