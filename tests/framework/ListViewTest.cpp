// SPDX-License-Identifier: GPL-2.0-or-later
// The list view's columns (alignment, each showing its own subitem) and its rows over borrowed
// image lists: texts, image and state image per row, and the picture each row shows (state image
// left of the image; indices outside a list draw nothing).
#include "TestDialog.h"
#include "framework/ImageList.h"
#include "framework/ListViewWidget.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// Three 2 x 2 cells: red, green, blue.
DibImage ThreeCells()
{
    DibImage strip;
    strip.width = 6;
    strip.height = 2;
    strip.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    strip.pixels = {1, 1, 2, 2, 3, 3, 1, 1, 2, 2, 3, 3};
    return strip;
}

class ListView : public DialogFixture
{
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        ASSERT_TRUE(images.Create(ThreeCells(), 2));
        dialog.listView.InsertColumn(0, "Name");
        dialog.listView.InsertColumn(1, "Value");
        dialog.listView.SetImageList(&images, LVSIL_SMALL);
        dialog.listView.SetImageList(&images, LVSIL_STATE);
    }

    int Insert(int index, const std::string& text, int image, UINT stateImage)
    {
        LVITEM item;
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
        item.iItem = index;
        item.pszText = text;
        item.iImage = image;
        item.state = INDEXTOSTATEIMAGEMASK(stateImage);
        item.stateMask = LVIS_STATEIMAGEMASK;
        return dialog.listView.InsertItem(item);
    }

    // The row's picture: its left cell (state image) and right cell (image), as colours.
    std::pair<QRgb, QRgb> Picture(int row)
    {
        auto* view = qobject_cast<ListViewWidget*>(Item(kListView));
        const QImage picture = view->topLevelItem(row)->icon(0).pixmap(view->iconSize()).toImage();
        return {picture.pixel(0, 0), picture.pixel(2, 0)};
    }

    CImageList images; // outlives the rows, as the borrowing requires
};

TEST_F(ListView, RowsKeepInsertionOrderTextsImageAndStateImage)
{
    EXPECT_EQ(Insert(0, "first", 2, 1), 0);
    EXPECT_EQ(Insert(5, "second", 0, 0), 1); // past the end: appended
    EXPECT_EQ(Insert(0, "front", 9, 3), 0);
    LVITEM cell;
    cell.mask = LVIF_TEXT;
    cell.iItem = 2;
    cell.iSubItem = 1;
    cell.pszText = "42";
    EXPECT_TRUE(dialog.listView.SetItem(cell));
    cell.iSubItem = 2; // no such column
    EXPECT_FALSE(dialog.listView.SetItem(cell));

    CListCtrl& list = dialog.listView;
    ASSERT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(0, 0), "front");
    EXPECT_EQ(list.GetItemText(1, 0), "first");
    EXPECT_EQ(list.GetItemText(2, 0), "second");
    EXPECT_EQ(list.GetItemText(2, 1), "42");
    EXPECT_EQ(list.GetItemImage(1), 2);
    EXPECT_EQ(list.GetItemState(0, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(3));

    const QRgb none = qRgba(0, 0, 0, 0);
    EXPECT_EQ(Picture(1), std::pair(qRgb(255, 0, 0), qRgb(0, 0, 255))); // state 1: cell 0
    EXPECT_EQ(Picture(2), std::pair(none, qRgb(255, 0, 0)));            // no state image
    EXPECT_EQ(Picture(0), std::pair(qRgb(0, 0, 255), none));            // image 9: nothing

    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetImageList(LVSIL_SMALL), &images); // the lists stay given
}

using ListViewColumns = DialogFixture;

TEST_F(ListViewColumns, FormatAlignsTheHeadingAndEveryCellOfTheColumn)
{
    CListCtrl& list = dialog.listView;
    LVITEM row;
    row.mask = LVIF_TEXT;
    row.pszText = "made before the columns";
    ASSERT_EQ(list.InsertItem(row), 0);
    ASSERT_EQ(list.InsertColumn(0, "Player", LVCFMT_LEFT, 100, 0), 0);
    ASSERT_EQ(list.InsertColumn(1, "Frags", LVCFMT_RIGHT, 50, 1), 1);
    ASSERT_EQ(list.InsertColumn(2, "Ping", LVCFMT_CENTER), 2);
    row.iItem = 1;
    row.pszText = "made after them";
    ASSERT_EQ(list.InsertItem(row), 1);

    auto* view = qobject_cast<ListViewWidget*>(Item(kListView));
    auto horizontal = [](const QTreeWidgetItem* item, int column) {
        return qvariant_cast<Qt::Alignment>(item->data(column, Qt::TextAlignmentRole)) &
               Qt::AlignHorizontal_Mask;
    };
    const Qt::Alignment expected[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    for (int column = 0; column < 3; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(horizontal(view->headerItem(), column), expected[column]);
        EXPECT_EQ(horizontal(view->topLevelItem(0), column), expected[column]);
        EXPECT_EQ(horizontal(view->topLevelItem(1), column), expected[column]);
    }
}

TEST_F(ListViewColumns, AColumnThatCannotShowItsOwnSubitemIsRefused)
{
    CListCtrl& list = dialog.listView;
    ASSERT_EQ(list.InsertColumn(0, "Player"), 0);
    ASSERT_EQ(list.InsertColumn(1, "Frags"), 1);
    struct Case
    {
        const char* name;
        int index;
        int format;
        int subItem;
    };
    const Case refused[] = {
        {"in front of a column", 0, LVCFMT_LEFT, -1},
        {"showing an earlier subitem", 2, LVCFMT_LEFT, 0},
        {"showing a later subitem", 2, LVCFMT_LEFT, 3},
        {"with an unknown format", 2, 3, -1},
    };
    for (const Case& test : refused) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(list.InsertColumn(test.index, "Refused", test.format, 40, test.subItem), -1);
    }
    ASSERT_EQ(list.GetColumnCount(), 2);
    EXPECT_EQ(list.GetColumnHeading(0), "Player");
    EXPECT_EQ(list.GetColumnHeading(1), "Frags");

    // An index past the end, or a negative one, adds the column on the right.
    EXPECT_EQ(list.InsertColumn(7, "Ping", LVCFMT_LEFT, 50, 2), 2);
    EXPECT_EQ(list.InsertColumn(-1, "Skin"), 3);
    EXPECT_EQ(list.GetColumnHeading(3), "Skin");
}

} // namespace
