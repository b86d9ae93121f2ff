// The list view's widget: a flat QTreeWidget in report style that also keeps what the native
// list view keeps, the number of inserted columns and the borrowed image lists, and draws each
// row's state image left of its image, as the native list view does in the first column.
#pragma once

#include <QTreeWidget>

class CImageList;

class ListViewWidget : public QTreeWidget
{
    Q_OBJECT

public:
    explicit ListViewWidget(QWidget* parent);

    int InsertedColumns() const { return insertedColumns; }
    void SetInsertedColumns(int count) { insertedColumns = count; }

    // Borrowed, never destroyed; must outlive every later row insertion or change.
    const CImageList* SmallImages() const { return smallImages; }
    const CImageList* StateImages() const { return stateImages; }
    void SetImageLists(const CImageList* small, const CImageList* state);

    // The first column's picture: state image (1-based, 0 for none) then image (-1 or any index
    // outside the list for none). Every row's picture has the same size so the names line up.
    QIcon RowIcon(int stateImage, int image) const;

private:
    int insertedColumns = 0;
    const CImageList* smallImages = nullptr;
    const CImageList* stateImages = nullptr;
};
