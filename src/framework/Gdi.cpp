// SPDX-License-Identifier: GPL-2.0-or-later
// Solid brushes.
#include "framework/Gdi.h"

bool CBrush::CreateSolidBrush(COLORREF color)
{
    if (brush)
        return false;
    brush = std::make_unique<QBrush>(ToQColor(color));
    return true;
}

bool CBrush::DeleteObject()
{
    bool held = brush != nullptr;
    brush.reset();
    return held;
}
