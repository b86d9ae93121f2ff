// SPDX-License-Identifier: GPL-2.0-or-later
// CComboBox: the combo box with an editable text; a sorted one keeps its list in case-blind
// order whatever order the entries are added in.
#pragma once

#include "framework/Wnd.h"

inline constexpr int CB_ERR = -1;

class CComboBox : public CWnd
{
public:
    int AddString(const std::string& text); // the entry's index
    int GetCount() const;
    std::string GetLBText(int index) const;
    int GetCurSel() const; // CB_ERR when nothing is selected
    int SetCurSel(int index);
    // The first entry after `startAfter` (-1: from the top) that begins with `prefix`, letter
    // case ignored; CB_ERR if none.
    int FindString(int startAfter, const std::string& prefix) const;
    // FindString, then selects the entry found: the edit part shows it whole.
    int SelectString(int startAfter, const std::string& prefix);
    void ResetContent();
};
