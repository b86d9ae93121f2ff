// SPDX-License-Identifier: GPL-2.0-or-later
// CListCtrl: the report-style list view: columns, rows with an image, a state image and subitem
// texts, and the small and state image lists it borrows (it never destroys them, as with the
// shared-image-lists style). Rows keep insertion order.
#pragma once

#include "framework/Wnd.h"

class CImageList;

// Column formats: the alignment of a column's heading and cells.
inline constexpr int LVCFMT_LEFT = 0;
inline constexpr int LVCFMT_RIGHT = 1;
inline constexpr int LVCFMT_CENTER = 2;

// Which parts of an LVITEM are given.
inline constexpr UINT LVIF_TEXT = 0x0001;
inline constexpr UINT LVIF_IMAGE = 0x0002;
inline constexpr UINT LVIF_STATE = 0x0008;
// The state-image index (1-based, 0 for none) lives in bits 12 to 15 of the item state.
inline constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT index)
{
    return index << 12;
}

inline constexpr int LVSIL_SMALL = 1;
inline constexpr int LVSIL_STATE = 2;

struct LVITEM
{
    UINT mask = 0;
    int iItem = 0;
    int iSubItem = 0;
    UINT state = 0;
    UINT stateMask = 0;
    std::string pszText;
    int iImage = -1; // an index outside the small image list draws nothing
};

class CListCtrl : public CWnd
{
public:
    // Adds a column with its heading, format (LVCFMT_LEFT, LVCFMT_RIGHT or LVCFMT_CENTER) and
    // width in pixels (-1: the view's default). Column i always shows subitem i, and rows keep
    // their texts by column, so columns are added left to right: `index` must be the column
    // count (a negative index or one past it means the same) and `subItem` the column's index
    // or -1. Returns the column's index; -1, adding nothing, when the index, subitem or format
    // is not one of these, or without a list view.
    int InsertColumn(int index, const std::string& heading, int format = LVCFMT_LEFT,
                     int width = -1, int subItem = -1);
    int GetColumnCount() const;
    std::string GetColumnHeading(int index) const;
    int GetColumnWidth(int index) const;

    // The list is borrowed: it must outlive every row inserted or changed after this call.
    // Returns the previous list of that kind.
    CImageList* SetImageList(CImageList* list, int which);
    CImageList* GetImageList(int which) const;

    // Inserts row item.iItem (at the end when past it) with subitem 0's text, image and state;
    // returns its index, or -1 without a list view.
    int InsertItem(const LVITEM& item);
    // Changes what item.mask names of row item.iItem, subitem item.iSubItem.
    bool SetItem(const LVITEM& item);
    bool DeleteAllItems();

    int GetItemCount() const;
    // The selected row, or -1; the list keeps one selected row at most.
    int GetSelectedItem() const;
    // Selects row `item` and makes it the one the keyboard goes on from; -1 selects none.
    void SelectItem(int item);
    // The first row in view, and scrolling the list so that row `item` comes first (as far as
    // the rows below it allow).
    int GetTopIndex() const;
    void SetTopIndex(int item);
    std::string GetItemText(int item, int subItem) const;
    int GetItemImage(int item) const; // -1 for a missing row
    UINT GetItemState(int item, UINT mask) const;
};
