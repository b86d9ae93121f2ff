// SPDX-License-Identifier: GPL-2.0-or-later
// The input limit as a validator that only refuses edits which grow the text past it.
#include "framework/LimitedLineEdit.h"

#include <QValidator>

// Refuses an edit that makes the text longer than the limit and longer than it was; shortening
// a text that the program made too long stays possible.
class LimitedLineEdit::LimitValidator : public QValidator
{
public:
    explicit LimitValidator(LimitedLineEdit& edit) : QValidator(&edit), edit(edit) {}

    State validate(QString& input, int&) const override
    {
        if (edit.programWrite || edit.inputLimit <= 0 || input.size() <= edit.inputLimit ||
            input.size() <= edit.acceptedLength)
            return Acceptable;
        return Invalid;
    }

private:
    LimitedLineEdit& edit;
};

LimitedLineEdit::LimitedLineEdit(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new LimitValidator(*this));
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& text) { acceptedLength = text.size(); });
}

void LimitedLineEdit::SetInputLimit(int characters)
{
    inputLimit = characters;
}

void LimitedLineEdit::SetTextIgnoringLimit(const QString& text)
{
    programWrite = true;
    setText(text);
    programWrite = false;
}
