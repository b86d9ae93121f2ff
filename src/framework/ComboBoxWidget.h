// SPDX-License-Identifier: GPL-2.0-or-later
// The combo box control's widget: a QComboBox that also knows whether its list is sorted, which
// the template decides and CComboBox::AddString follows. It adds no signals, so it has no meta
// object of its own and still reports itself as a QComboBox.
#pragma once

#include <QComboBox>

class ComboBoxWidget : public QComboBox
{
public:
    ComboBoxWidget(QWidget* parent, bool sorted) : QComboBox(parent), sorted(sorted) {}

    bool Sorted() const { return sorted; }

private:
    bool sorted;
};
