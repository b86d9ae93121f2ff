// SPDX-License-Identifier: GPL-2.0-or-later
// CEdit: the edit control object. Its input limit refuses typing beyond it; text written by the
// program is kept whole.
#pragma once

#include "framework/Wnd.h"

class CEdit : public CWnd
{
public:
    void LimitText(int characters);
    int GetLimitText() const;
};
