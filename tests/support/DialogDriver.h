// SPDX-License-Identifier: GPL-2.0-or-later
// A small vocabulary for driving a dialog in tests as a person would: press its buttons and
// keys, type into its controls, and read what its controls show.
#pragma once

#include <Qt>
#include <string>

class CDialog;
class QWidget;

void PressButton(CDialog& dialog, int id);
// A key pressed while control `id` has the focus (the key goes to that control first).
void PressKey(CDialog& dialog, int id, Qt::Key key);
// Keystrokes into an edit or combo box, after its current text is selected and replaced.
void TypeText(CDialog& dialog, int id, const std::string& text);
// Sets a control's text as a program would (not as typing).
void SetControlText(CDialog& dialog, int id, const std::string& text);
std::string ControlText(CDialog& dialog, int id);
std::string SelectedText(CDialog& dialog, int id);
// The control that has (or gets, when the window is active) the keyboard focus.
QWidget* FocusedControl(CDialog& dialog);
