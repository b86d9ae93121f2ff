// SPDX-License-Identifier: GPL-2.0-or-later
// Control colours: before a control paints, the framework sends its dialog WM_CTLCOLOR with a
// device context holding the theme's colours and the asking control, and paints the control with
// what the handler left: text colour, background colour in opaque mode, and the returned brush
// as background (none: the theme's).
#pragma once

#include "framework/Wnd.h"

#include <QWidget>

// Makes `control` ask `target` at every paint; for a scroll area, its viewport's paints ask too.
void SendControlColors(QWidget& control, UINT kind, CWnd& target);
