// SPDX-License-Identifier: GPL-2.0-or-later
// CListBox: an unsorted list of lines whose tab characters align to a tab stop given in dialog
// units.
#pragma once

#include "framework/Wnd.h"

class CListBox : public CWnd
{
public:
    void ResetContent();
    // One tab stop, repeated across the line; in dialog units of the owning dialog.
    void SetTabStops(int dialogUnits);
    int AddString(const std::string& text); // the line's index
    int GetCount() const;
    std::string GetText(int index) const;
};
