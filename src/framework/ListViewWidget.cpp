// SPDX-License-Identifier: GPL-2.0-or-later
// The list view's columns, and its row pictures from the borrowed image lists.
#include "framework/ListViewWidget.h"

#include "framework/ImageList.h"

#include <QHeaderView>
#include <QPainter>

ListViewWidget::ListViewWidget(QWidget* parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setHeaderLabels({QString()});
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
}

void ListViewWidget::AppendColumn(const QString& heading, Qt::Alignment alignment, int width)
{
    const int column = InsertedColumns();
    columnAlignments.push_back(alignment | Qt::AlignVCenter);
    setColumnCount(column + 1);
    headerItem()->setText(column, heading);
    headerItem()->setTextAlignment(column, columnAlignments.back());
    for (int row = 0; row < topLevelItemCount(); ++row)
        topLevelItem(row)->setTextAlignment(column, columnAlignments.back());
    if (width >= 0)
        setColumnWidth(column, width);
}

void ListViewWidget::AlignCells(QTreeWidgetItem& row) const
{
    for (std::size_t column = 0; column < columnAlignments.size(); ++column)
        row.setTextAlignment(static_cast<int>(column), columnAlignments[column]);
}

namespace {

QSize ListImageSize(const CImageList* list)
{
    return list && list->IsCreated() ? list->ImageSize() : QSize(0, 0);
}

} // namespace

void ListViewWidget::SetImageLists(const CImageList* small, const CImageList* state)
{
    smallImages = small;
    stateImages = state;
    rowIcons.clear();
    const QSize smallSize = ListImageSize(smallImages);
    const QSize stateSize = ListImageSize(stateImages);
    setIconSize(QSize(smallSize.width() + stateSize.width(),
                      std::max(smallSize.height(), stateSize.height())));
}

QIcon ListViewWidget::RowIcon(int stateImage, int image) const
{
    // Every index that draws nothing is the same picture.
    if (stateImage <= 0 || !stateImages || stateImages->Image(stateImage - 1) == nullptr)
        stateImage = 0;
    if (!smallImages || smallImages->Image(image) == nullptr)
        image = -1;
    const std::pair<int, int> key{stateImage, image};
    auto found = rowIcons.find(key);
    if (found == rowIcons.end())
        found = rowIcons.emplace(key, DrawRowIcon(stateImage, image)).first;
    return found->second;
}

QIcon ListViewWidget::DrawRowIcon(int stateImage, int image) const
{
    const QSize size = iconSize();
    if (size.isEmpty() || (!smallImages && !stateImages))
        return {};
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const int stateWidth = ListImageSize(stateImages).width();
    if (stateImages && stateImage > 0) {
        if (const QPixmap* state = stateImages->Image(stateImage - 1))
            painter.drawPixmap(0, 0, *state);
    }
    if (smallImages) {
        if (const QPixmap* small = smallImages->Image(image))
            painter.drawPixmap(stateWidth, 0, *small);
    }
    painter.end();
    return QIcon(picture);
}
