// SPDX-License-Identifier: GPL-2.0-or-later
// Edit control operations: the input limit.
#include "framework/Edit.h"

#include "framework/LimitedLineEdit.h"

void CEdit::LimitText(int characters)
{
    if (auto* edit = qobject_cast<LimitedLineEdit*>(GetSafeHwnd()))
        edit->SetInputLimit(characters);
}

int CEdit::GetLimitText() const
{
    auto* edit = qobject_cast<LimitedLineEdit*>(GetSafeHwnd());
    return edit ? edit->InputLimit() : 0;
}
