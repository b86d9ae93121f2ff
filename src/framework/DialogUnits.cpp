// SPDX-License-Identifier: GPL-2.0-or-later
// Dialog base units from font metrics, and the rounding of dialog units to pixels.
#include "framework/DialogUnits.h"

#include <QFont>
#include <QFontMetrics>

DialogBaseUnits BaseUnitsOf(const QFont& dialogFont)
{
    QFontMetrics metrics(dialogFont);
    int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(letters / 26 + 1) / 2, metrics.height()};
}

QFont DialogFont(int points)
{
    QFont font(QStringLiteral("Sans Serif"), points);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

int MulDiv(int value, int numerator, int denominator)
{
    // Denominators here are the positive constants 4 and 8.
    long long product = static_cast<long long>(value) * numerator;
    long long half = denominator / 2;
    return static_cast<int>((product >= 0 ? product + half : product - half) / denominator);
}

int DialogUnitsToPixelsX(int units, DialogBaseUnits base)
{
    return MulDiv(units, base.x, 4);
}

int DialogUnitsToPixelsY(int units, DialogBaseUnits base)
{
    return MulDiv(units, base.y, 8);
}
