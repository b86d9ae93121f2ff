// List view columns over QTreeWidget.
#include "framework/ListCtrl.h"

#include "framework/Text.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace {

const char* const kColumnCount = "tallyhawkColumnCount";

QTreeWidget* View(QWidget* widget)
{
    return qobject_cast<QTreeWidget*>(widget);
}

} // namespace

int CListCtrl::InsertColumn(int index, const std::string& heading, int, int width, int)
{
    QTreeWidget* view = View(GetSafeHwnd());
    if (!view)
        return -1;
    QTreeWidgetItem* header = view->headerItem();
    int count = GetColumnCount();
    int position = index < 0 || index > count ? count : index;
    QStringList headings;
    for (int column = 0; column < count; ++column)
        headings << header->text(column);
    headings.insert(position, ToUnicode(heading));
    view->setColumnCount(count + 1);
    view->setHeaderLabels(headings);
    view->setProperty(kColumnCount, count + 1);
    for (int column = 0; column <= count; ++column)
        header->setTextAlignment(column, Qt::AlignLeft | Qt::AlignVCenter);
    if (width >= 0)
        view->setColumnWidth(position, width);
    return position;
}

int CListCtrl::GetColumnCount() const
{
    // Qt's view always has at least one column, so the count of inserted columns is kept apart.
    QTreeWidget* view = View(GetSafeHwnd());
    return view ? view->property(kColumnCount).toInt() : 0;
}

std::string CListCtrl::GetColumnHeading(int index) const
{
    QTreeWidget* view = View(GetSafeHwnd());
    if (!view || index < 0 || index >= GetColumnCount())
        return {};
    return ToBytes(view->headerItem()->text(index));
}

int CListCtrl::GetColumnWidth(int index) const
{
    QTreeWidget* view = View(GetSafeHwnd());
    return view && index >= 0 && index < GetColumnCount() ? view->columnWidth(index) : 0;
}
