// SPDX-License-Identifier: GPL-2.0-or-later
// The edit control's widget: a line edit whose input limit refuses typing and pasting beyond the
// limit, while text written by the program is kept whole (unlike QLineEdit::setMaxLength, which
// would cut it), so a too-long text reaches the data exchange's length check.
#pragma once

#include <QLineEdit>

class LimitedLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit LimitedLineEdit(QWidget* parent);

    // 0 means no limit.
    void SetInputLimit(int characters);
    int InputLimit() const { return inputLimit; }

    void SetTextIgnoringLimit(const QString& text);

private:
    class LimitValidator;

    int inputLimit = 0;
    qsizetype acceptedLength = 0; // length of the text before the edit being validated
    bool programWrite = false;
};
