// SPDX-License-Identifier: GPL-2.0-or-later
// The exchange steps and the failure path shared by all of them (message, focus, selection).
#include "framework/DataExchange.h"

#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/IntegerText.h"
#include "framework/MessageBox.h"
#include "framework/Text.h"
#include "framework/WidgetText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {

constexpr const char* kPromptInteger = "Please enter an integer.";
constexpr const char* kPromptIntegerRange = "Please enter an integer between %1 and %2.";
constexpr const char* kPromptMaxChars = "Please enter no more than %1 characters.";

// The framework's prompts, with %1 and %2 filled in.
std::string FormatPrompt(const std::string& pattern, const std::string& first,
                         const std::string& second = {})
{
    std::string result;
    for (std::size_t index = 0; index < pattern.size(); ++index) {
        if (pattern[index] == '%' && index + 1 < pattern.size() &&
            (pattern[index + 1] == '1' || pattern[index + 1] == '2')) {
            result += pattern[index + 1] == '1' ? first : second;
            ++index;
        } else {
            result += pattern[index];
        }
    }
    return result;
}

void SelectWholeText(QWidget* control)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
    else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
}

// The line edit in which a person types into `control`, if it has one.
QLineEdit* TypingLineEdit(QWidget* control)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit;
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->lineEdit();
    return nullptr;
}

// Qt sets an edit's modified flag on every change the person makes and clears it when the
// program writes the text; a save clears it too, so it tells "typed since the last save".
QString ReadTypedText(QWidget* control)
{
    if (QLineEdit* edit = TypingLineEdit(control))
        edit->setModified(false);
    return ReadWidgetText(control);
}

bool KeepsTypedText(const CDataExchange& dx, QWidget* control)
{
    const QLineEdit* edit = TypingLineEdit(control);
    return dx.KeepsTyping() && edit != nullptr && edit->isModified();
}

// Writes only a differing text, so unchanged controls neither redraw nor notify.
void WriteIfDifferent(QWidget* control, const QString& text)
{
    if (ReadWidgetText(control) != text)
        WriteWidgetText(control, text);
}

} // namespace

CDataExchange::CDataExchange(const std::map<int, QWidget*>& controls, Direction direction)
    : controls(controls), direction(direction)
{}

QWidget* CDataExchange::PrepareControl(int id)
{
    auto found = controls.find(id);
    lastControl = found == controls.end() ? nullptr : found->second;
    lastIsEdit = false;
    return lastControl;
}

QWidget* CDataExchange::PrepareEditControl(int id)
{
    PrepareControl(id);
    lastIsEdit = true;
    return lastControl;
}

void CDataExchange::FailWithMessage(const std::string& message)
{
    // Nested event loop: timer ticks and socket events run while the message is shown, and may
    // run an exchange of their own on this dialog.
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    if (lastControl) {
        lastControl->setFocus(Qt::OtherFocusReason);
        SelectWholeText(lastControl);
    }
    failed = true;
}

void ExchangeControl(CDataExchange& dx, int id, CWnd& control)
{
    if (dx.Failed() || control.GetSafeHwnd() != nullptr)
        return;
    if (QWidget* widget = dx.PrepareControl(id))
        control.Attach(widget);
}

void ExchangeText(CDataExchange& dx, int id, std::string& value)
{
    if (dx.Failed())
        return;
    QWidget* control = dx.PrepareEditControl(id);
    if (!control)
        return;
    if (dx.IsSaving())
        value = ToBytes(ReadTypedText(control));
    else if (!KeepsTypedText(dx, control))
        WriteIfDifferent(control, ToUnicode(value));
}

void ExchangeText(CDataExchange& dx, int id, std::int32_t& value)
{
    if (dx.Failed())
        return;
    QWidget* control = dx.PrepareEditControl(id);
    if (!control)
        return;
    if (!dx.IsSaving()) {
        if (!KeepsTypedText(dx, control))
            WriteIfDifferent(control, QString::number(value));
        return;
    }
    std::string text = ToBytes(ReadTypedText(control)).substr(0, kMaxIntegerTextLength);
    std::optional<std::int32_t> parsed = ParseIntegerText(text);
    if (!parsed) {
        dx.FailWithMessage(kPromptInteger);
        return;
    }
    value = *parsed;
}

void ExchangeCheck(CDataExchange& dx, int id, bool& value)
{
    if (dx.Failed())
        return;
    auto* check = qobject_cast<QCheckBox*>(dx.PrepareControl(id));
    if (!check)
        return;
    if (dx.IsSaving())
        value = check->isChecked();
    else
        check->setChecked(value);
}

void ExchangeComboText(CDataExchange& dx, int id, std::string& value)
{
    if (dx.Failed())
        return;
    QWidget* control = dx.PrepareControl(id);
    auto* combo = qobject_cast<QComboBox*>(control);
    if (!combo)
        return;
    if (dx.IsSaving()) {
        value = ToBytes(ReadTypedText(combo));
        return;
    }
    if (KeepsTypedText(dx, combo))
        return;
    CComboBox list;
    list.Attach(combo);
    if (list.SelectString(-1, value) == CB_ERR)
        WriteIfDifferent(combo, ToUnicode(value));
}

void ValidateRange(CDataExchange& dx, std::int32_t value, std::int32_t min, std::int32_t max)
{
    if (dx.Failed() || !dx.IsSaving() || (value >= min && value <= max))
        return;
    dx.FailWithMessage(FormatPrompt(kPromptIntegerRange, std::to_string(min), std::to_string(max)));
}

void ValidateMaxChars(CDataExchange& dx, const std::string& value, int maxChars)
{
    if (dx.Failed())
        return;
    if (dx.IsSaving() && value.size() > static_cast<std::size_t>(maxChars)) {
        dx.FailWithMessage(FormatPrompt(kPromptMaxChars, std::to_string(maxChars)));
        return;
    }
    if (dx.LastControlIsEdit()) {
        CEdit edit;
        edit.Attach(dx.LastControl());
        edit.LimitText(maxChars);
    }
}
