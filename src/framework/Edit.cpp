// Edit control operations: input limit and selection.
#include "framework/Edit.h"

#include "framework/LimitedLineEdit.h"
#include "framework/Text.h"

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

void CEdit::SetSel(int start, int end)
{
    auto* edit = qobject_cast<QLineEdit*>(GetSafeHwnd());
    if (!edit)
        return;
    int length = static_cast<int>(edit->text().size());
    int last = end < 0 || end > length ? length : end;
    edit->setSelection(start, last - start);
}

std::string CEdit::GetSelectedText() const
{
    auto* edit = qobject_cast<QLineEdit*>(GetSafeHwnd());
    return edit ? ToBytes(edit->selectedText()) : std::string();
}
