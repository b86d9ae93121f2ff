// CListCtrl: the report-style list view. This layer provides its columns; rows, image lists and
// colours arrive with the standings display.
#pragma once

#include "framework/Wnd.h"

inline constexpr int LVCFMT_LEFT = 0;

class CListCtrl : public CWnd
{
public:
    // Inserts a column at `index` with its heading, alignment and width in pixels; returns the
    // column's index, or -1 without a list view.
    int InsertColumn(int index, const std::string& heading, int format = LVCFMT_LEFT,
                     int width = -1, int subItem = -1);
    int GetColumnCount() const;
    std::string GetColumnHeading(int index) const;
    int GetColumnWidth(int index) const;
};
