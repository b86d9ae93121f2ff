// CButton: push buttons (also with an icon instead of text) and radio buttons.
#pragma once

#include "framework/Wnd.h"

class CButton : public CWnd
{
public:
    // BM_SETIMAGE with an icon: the button shows it at its full size. Returns the previous one.
    HICON SetIcon(HICON icon);
    HICON GetIcon() const { return icon; }

    bool GetCheck() const;
    void SetCheck(bool checked);

private:
    HICON icon = nullptr;
};
