// SPDX-License-Identifier: GPL-2.0-or-later
// CPaintDC: the paint context of a window, opened by its WM_PAINT handler and closed when it
// goes out of scope. Only valid while the window is being painted (inside WM_PAINT).
#pragma once

#include "framework/Wnd.h"

#include <QPainter>

class QColor;
class QRect;

class CPaintDC
{
public:
    explicit CPaintDC(CWnd& window);
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    void FillSolidRect(const QRect& rect, const QColor& color);
    // The icon at its standard size (SM_CXICON by SM_CYICON) with its top left at (x, y).
    void DrawIcon(int x, int y, HICON icon);

private:
    QPainter painter;
};

// The platform's metrics: SM_CXICON and SM_CYICON, the standard icon size; 0 for others.
int GetSystemMetrics(int index);
