// SPDX-License-Identifier: GPL-2.0-or-later
// What a screen reader calls a template's controls. A control that shows no caption of its own is
// labelled by the caption static before it in reading order, found from the layout; a value
// static is read together with that caption. GUI thread only.
#pragma once

#include "framework/DialogTemplate.h"

#include <vector>

class QWidget;

struct BuiltControl
{
    const ControlTemplate* control;
    QWidget* widget; // placed: its geometry is the template's rectangle in pixels
};

// Makes Qt take the accessible interfaces of the framework's combo boxes and value statics from
// here. Qt keeps an object's interface for the object's life, so this runs before the first such
// widget is made; calls after the first change nothing.
void InstallAccessibleInterfaces();

// Makes each edit, combo box, list box, list view and value static that has no accessible name
// yet the buddy of its caption static: the nearest one on its left on the same row, else the
// nearest one directly above it, within the same group box. The caption's text then names it,
// following later changes of that text, except for the lists, which take the text they see now
// (Qt names a list only by its accessible name). A caption names only the first control in
// template order that finds it.
void LabelControlsByLayout(const std::vector<BuiltControl>& controls);
