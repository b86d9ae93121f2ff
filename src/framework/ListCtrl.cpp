// SPDX-License-Identifier: GPL-2.0-or-later
// List view columns and rows over ListViewWidget.
#include "framework/ListCtrl.h"

#include "framework/ImageList.h"
#include "framework/ListViewWidget.h"
#include "framework/Text.h"

#include <optional>

namespace {

ListViewWidget* View(QWidget* widget)
{
    return qobject_cast<ListViewWidget*>(widget);
}

// What a row keeps besides its texts, for reading back and for drawing its picture again.
constexpr int kImageRole = Qt::UserRole;
constexpr int kStateRole = Qt::UserRole + 1;

void UpdateRowIcon(const ListViewWidget& view, QTreeWidgetItem& row)
{
    const UINT state = row.data(0, kStateRole).toUInt();
    row.setIcon(0, view.RowIcon(static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12),
                                row.data(0, kImageRole).toInt()));
}

std::optional<Qt::Alignment> AlignmentOf(int format)
{
    switch (format) {
    case LVCFMT_LEFT:
        return Qt::AlignLeft;
    case LVCFMT_RIGHT:
        return Qt::AlignRight;
    case LVCFMT_CENTER:
        return Qt::AlignHCenter;
    default:
        return std::nullopt;
    }
}

} // namespace

int CListCtrl::InsertColumn(int index, const std::string& heading, int format, int width,
                            int subItem)
{
    ListViewWidget* view = View(GetSafeHwnd());
    if (!view)
        return -1;
    const int position = GetColumnCount();
    if (index >= 0 && index < position)
        return -1;
    if (subItem != -1 && subItem != position)
        return -1;
    const std::optional<Qt::Alignment> alignment = AlignmentOf(format);
    if (!alignment)
        return -1;
    view->AppendColumn(ToUnicode(heading), *alignment, width);
    return position;
}

int CListCtrl::GetColumnCount() const
{
    ListViewWidget* view = View(GetSafeHwnd());
    return view ? view->InsertedColumns() : 0;
}

std::string CListCtrl::GetColumnHeading(int index) const
{
    ListViewWidget* view = View(GetSafeHwnd());
    if (!view || index < 0 || index >= GetColumnCount())
        return {};
    return ToBytes(view->headerItem()->text(index));
}

int CListCtrl::GetColumnWidth(int index) const
{
    ListViewWidget* view = View(GetSafeHwnd());
    return view && index >= 0 && index < GetColumnCount() ? view->columnWidth(index) : 0;
}

CImageList* CListCtrl::SetImageList(CImageList* list, int which)
{
    ListViewWidget* view = View(GetSafeHwnd());
    if (!view || (which != LVSIL_SMALL && which != LVSIL_STATE))
        return nullptr;
    CImageList* previous = GetImageList(which);
    if (which == LVSIL_SMALL)
        view->SetImageLists(list, view->StateImages());
    else
        view->SetImageLists(view->SmallImages(), list);
    for (int row = 0; row < view->topLevelItemCount(); ++row)
        UpdateRowIcon(*view, *view->topLevelItem(row));
    return previous;
}

CImageList* CListCtrl::GetImageList(int which) const
{
    ListViewWidget* view = View(GetSafeHwnd());
    if (!view)
        return nullptr;
    // The view only reads the lists; the caller handed them over as its own.
    const CImageList* list = which == LVSIL_SMALL   ? view->SmallImages()
                             : which == LVSIL_STATE ? view->StateImages()
                                                    : nullptr;
    return const_cast<CImageList*>(list);
}

int CListCtrl::InsertItem(const LVITEM& item)
{
    ListViewWidget* view = View(GetSafeHwnd());
    if (!view || item.iItem < 0)
        return -1;
    auto* row = new QTreeWidgetItem;
    row->setData(0, kImageRole, -1);
    row->setData(0, kStateRole, 0u);
    view->AlignCells(*row);
    const int index = std::min(item.iItem, view->topLevelItemCount());
    view->insertTopLevelItem(index, row);
    LVITEM first = item;
    first.iItem = index;
    first.iSubItem = 0;
    SetItem(first);
    return index;
}

bool CListCtrl::SetItem(const LVITEM& item)
{
    ListViewWidget* view = View(GetSafeHwnd());
    if (!view || item.iItem < 0 || item.iItem >= view->topLevelItemCount() || item.iSubItem < 0 ||
        item.iSubItem >= std::max(1, GetColumnCount()))
        return false;
    QTreeWidgetItem* row = view->topLevelItem(item.iItem);
    if (item.mask & LVIF_TEXT)
        row->setText(item.iSubItem, ToUnicode(item.pszText));
    if (item.iSubItem != 0)
        return true; // images and states belong to the row's first column
    if (item.mask & LVIF_IMAGE)
        row->setData(0, kImageRole, item.iImage);
    if (item.mask & LVIF_STATE) {
        const UINT state = row->data(0, kStateRole).toUInt();
        row->setData(0, kStateRole, (state & ~item.stateMask) | (item.state & item.stateMask));
    }
    if (item.mask & (LVIF_IMAGE | LVIF_STATE))
        UpdateRowIcon(*view, *row);
    return true;
}

bool CListCtrl::DeleteAllItems()
{
    ListViewWidget* view = View(GetSafeHwnd());
    if (!view)
        return false;
    view->clear();
    return true;
}

int CListCtrl::GetItemCount() const
{
    ListViewWidget* view = View(GetSafeHwnd());
    return view ? view->topLevelItemCount() : 0;
}

int CListCtrl::GetSelectedItem() const
{
    ListViewWidget* view = View(GetSafeHwnd());
    if (!view)
        return -1;
    const QList<QTreeWidgetItem*> selected = view->selectedItems();
    return selected.isEmpty() ? -1 : view->indexOfTopLevelItem(selected.front());
}

void CListCtrl::SelectItem(int item)
{
    ListViewWidget* view = View(GetSafeHwnd());
    if (!view)
        return;
    if (item < 0 || item >= view->topLevelItemCount()) {
        view->clearSelection();
        return;
    }
    view->setCurrentItem(view->topLevelItem(item));
}

int CListCtrl::GetTopIndex() const
{
    ListViewWidget* view = View(GetSafeHwnd());
    if (!view)
        return 0;
    return std::max(0, view->indexOfTopLevelItem(view->itemAt(0, 0)));
}

void CListCtrl::SetTopIndex(int item)
{
    ListViewWidget* view = View(GetSafeHwnd());
    if (!view || item < 0 || item >= view->topLevelItemCount())
        return;
    view->scrollToItem(view->topLevelItem(item), QAbstractItemView::PositionAtTop);
}

std::string CListCtrl::GetItemText(int item, int subItem) const
{
    ListViewWidget* view = View(GetSafeHwnd());
    if (!view || item < 0 || item >= view->topLevelItemCount() || subItem < 0)
        return {};
    return ToBytes(view->topLevelItem(item)->text(subItem));
}

int CListCtrl::GetItemImage(int item) const
{
    ListViewWidget* view = View(GetSafeHwnd());
    if (!view || item < 0 || item >= view->topLevelItemCount())
        return -1;
    return view->topLevelItem(item)->data(0, kImageRole).toInt();
}

UINT CListCtrl::GetItemState(int item, UINT mask) const
{
    ListViewWidget* view = View(GetSafeHwnd());
    if (!view || item < 0 || item >= view->topLevelItemCount())
        return 0;
    return view->topLevelItem(item)->data(0, kStateRole).toUInt() & mask;
}
