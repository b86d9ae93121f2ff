// SPDX-License-Identifier: GPL-2.0-or-later
// The list view's widget: a flat QTreeWidget in report style that also keeps what the native
// list view keeps, the inserted columns with their alignment and the borrowed image lists, and
// draws each row's state image left of its image, as the native list view does in the first
// column.
#pragma once

#include <QTreeWidget>
#include <map>
#include <utility>
#include <vector>

class CImageList;

class ListViewWidget : public QTreeWidget
{
    Q_OBJECT

public:
    explicit ListViewWidget(QWidget* parent);

    // Qt's view always has at least one column, so the inserted ones are counted apart.
    int InsertedColumns() const { return static_cast<int>(columnAlignments.size()); }
    // Adds a column on the right whose heading and cells, those of rows to come included, take
    // `alignment`; a negative width keeps the view's default.
    void AppendColumn(const QString& heading, Qt::Alignment alignment, int width);
    // Gives a new row's cells the alignment of their columns.
    void AlignCells(QTreeWidgetItem& row) const;

    // Borrowed, never destroyed; must outlive every later row insertion or change.
    const CImageList* SmallImages() const { return smallImages; }
    const CImageList* StateImages() const { return stateImages; }
    void SetImageLists(const CImageList* small, const CImageList* state);

    // The first column's picture: state image (1-based, 0 for none) then image (-1 or any index
    // outside the list for none). Every row's picture has the same size so the names line up.
    // One icon per pair is kept and handed out again: a new icon per row and refresh would fill
    // Qt's pixmap cache with keys on every reply.
    QIcon RowIcon(int stateImage, int image) const;

private:
    QIcon DrawRowIcon(int stateImage, int image) const;

    mutable std::map<std::pair<int, int>, QIcon> rowIcons; // at most 15 x 15: indices normalised
    std::vector<Qt::Alignment> columnAlignments;           // one per inserted column
    const CImageList* smallImages = nullptr;
    const CImageList* stateImages = nullptr;
};
