// SPDX-License-Identifier: GPL-2.0-or-later
// List box operations over TabStopListWidget.
#include "framework/ListBox.h"

#include "framework/TabStopListWidget.h"
#include "framework/Text.h"

namespace {

TabStopListWidget* List(QWidget* widget)
{
    return qobject_cast<TabStopListWidget*>(widget);
}

} // namespace

void CListBox::ResetContent()
{
    if (TabStopListWidget* list = List(GetSafeHwnd()))
        list->clear();
}

void CListBox::SetTabStops(int dialogUnits)
{
    if (TabStopListWidget* list = List(GetSafeHwnd()))
        list->SetTabStopDialogUnits(dialogUnits);
}

int CListBox::AddString(const std::string& text)
{
    TabStopListWidget* list = List(GetSafeHwnd());
    if (!list)
        return -1;
    list->addItem(ToUnicode(text));
    return list->count() - 1;
}

int CListBox::GetCount() const
{
    TabStopListWidget* list = List(GetSafeHwnd());
    return list ? list->count() : 0;
}

std::string CListBox::GetText(int index) const
{
    TabStopListWidget* list = List(GetSafeHwnd());
    if (!list || index < 0 || index >= list->count())
        return {};
    return ToBytes(list->item(index)->text());
}
