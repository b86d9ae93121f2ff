// SPDX-License-Identifier: GPL-2.0-or-later
// The template identifier a dialog's control widget carries, so that what the widget reports
// reaches the dialog as WM_COMMAND from that control. Set once, when the control is built.
#pragma once

#include <optional>

class QWidget;

void SetControlId(QWidget& control, int id);
// Nothing for a widget that is not a template control (a combo box's inner edit, a frame).
std::optional<int> ControlIdOf(const QWidget& widget);
