// The list view's rows over borrowed image lists: texts, image and state image per row, and the
// picture each row shows (state image left of the image; indices outside a list draw nothing).
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

} // namespace
