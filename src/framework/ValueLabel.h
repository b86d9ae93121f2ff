// SPDX-License-Identifier: GPL-2.0-or-later
// The widget of a value static (a static with the sunken style): a QLabel that a screen reader
// hears together with the caption static labelling it (AccessibleLabels.h). It adds no signals,
// so it has no meta object of its own and still reports itself as a QLabel.
#pragma once

#include <QLabel>

class ValueLabel : public QLabel
{
public:
    explicit ValueLabel(QWidget* parent) : QLabel(parent) {}
};
