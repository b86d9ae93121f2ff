// SPDX-License-Identifier: GPL-2.0-or-later
// Painting a window from its WM_PAINT handler, and the metrics it needs.
#include "framework/PaintDC.h"

#include "framework/Resources.h"

#include <QIcon>

CPaintDC::CPaintDC(CWnd& window) : painter(window.GetSafeHwnd())
{}

void CPaintDC::FillSolidRect(const QRect& rect, const QColor& color)
{
    painter.fillRect(rect, color);
}

void CPaintDC::DrawIcon(int x, int y, HICON icon)
{
    if (icon == nullptr)
        return;
    int width = GetSystemMetrics(SM_CXICON);
    int height = GetSystemMetrics(SM_CYICON);
    painter.drawPixmap(x, y, icon->pixmap(width, height));
}

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXICON:
    case SM_CYICON:
        return kStandardIconPixels;
    default:
        return 0;
    }
}
