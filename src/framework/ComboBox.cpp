// SPDX-License-Identifier: GPL-2.0-or-later
// Combo box list operations over QComboBox; sorted lists keep case-blind order on insertion.
#include "framework/ComboBox.h"

#include "framework/ComboBoxWidget.h"
#include "framework/Text.h"

namespace {

QComboBox* Combo(QWidget* widget)
{
    return qobject_cast<QComboBox*>(widget);
}

} // namespace

int CComboBox::AddString(const std::string& text)
{
    QComboBox* combo = Combo(GetSafeHwnd());
    if (!combo)
        return CB_ERR;
    QString entry = ToUnicode(text);
    int index = combo->count();
    if (auto* sortable = dynamic_cast<ComboBoxWidget*>(combo); sortable && sortable->Sorted()) {
        index = 0;
        while (index < combo->count() &&
               QString::compare(combo->itemText(index), entry, Qt::CaseInsensitive) <= 0)
            ++index;
    }
    // Inserting changes neither the selection nor what the edit part shows (Qt selects the
    // first entry put into an empty list).
    const int selected = combo->currentIndex();
    const QString shown = combo->currentText();
    combo->insertItem(index, entry);
    const int stillSelected = selected < index ? selected : selected + 1;
    if (combo->currentIndex() != stillSelected)
        combo->setCurrentIndex(stillSelected);
    if (combo->currentText() != shown)
        combo->setEditText(shown);
    return index;
}

int CComboBox::GetCount() const
{
    QComboBox* combo = Combo(GetSafeHwnd());
    return combo ? combo->count() : 0;
}

std::string CComboBox::GetLBText(int index) const
{
    QComboBox* combo = Combo(GetSafeHwnd());
    if (!combo || index < 0 || index >= combo->count())
        return {};
    return ToBytes(combo->itemText(index));
}

int CComboBox::GetCurSel() const
{
    QComboBox* combo = Combo(GetSafeHwnd());
    return combo ? combo->currentIndex() : CB_ERR;
}

int CComboBox::SetCurSel(int index)
{
    QComboBox* combo = Combo(GetSafeHwnd());
    if (!combo || index < 0 || index >= combo->count())
        return CB_ERR;
    combo->setCurrentIndex(index);
    combo->setEditText(combo->itemText(index));
    return index;
}

int CComboBox::FindString(int startAfter, const std::string& prefix) const
{
    QComboBox* combo = Combo(GetSafeHwnd());
    if (!combo)
        return CB_ERR;
    QString wanted = ToUnicode(prefix);
    for (int index = startAfter + 1; index < combo->count(); ++index) {
        if (combo->itemText(index).startsWith(wanted, Qt::CaseInsensitive))
            return index;
    }
    return CB_ERR;
}

int CComboBox::SelectString(int startAfter, const std::string& prefix)
{
    int index = FindString(startAfter, prefix);
    return index == CB_ERR ? CB_ERR : SetCurSel(index);
}

void CComboBox::ResetContent()
{
    if (QComboBox* combo = Combo(GetSafeHwnd()))
        combo->clear();
}
