// SPDX-License-Identifier: GPL-2.0-or-later
// Dialog units to pixels, as the native dialog manager computes them: the base units are the
// dialog font's average character width (over the 52 Latin letters, rounded) and its height;
// x and widths scale by baseX / 4, y and heights by baseY / 8, each rounded to the nearest pixel.
#pragma once

class QFont;
class QRect;
struct ControlTemplate;

struct DialogBaseUnits
{
    int x = 0; // pixels per 4 horizontal dialog units
    int y = 0; // pixels per 8 vertical dialog units
};

DialogBaseUnits BaseUnitsOf(const QFont& dialogFont);

// The sans font of the given size that stands in for a template's font.
QFont DialogFont(int points);

// Rounds value * numerator / denominator half away from zero, like the platform's MulDiv
// (denominator positive).
int MulDiv(int value, int numerator, int denominator);

int DialogUnitsToPixelsX(int units, DialogBaseUnits base);
int DialogUnitsToPixelsY(int units, DialogBaseUnits base);
