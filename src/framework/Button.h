// SPDX-License-Identifier: GPL-2.0-or-later
// CButton: push buttons, also with an icon instead of text.
#pragma once

#include "framework/Wnd.h"

class CButton : public CWnd
{
public:
    // BM_SETIMAGE with an icon: the button shows it at its full size. Returns the previous one.
    HICON SetIcon(HICON icon);
    HICON GetIcon() const { return icon; }

private:
    HICON icon = nullptr;
};
