// SPDX-License-Identifier: GPL-2.0-or-later
// The drawing objects of the control-colour message: colours as COLORREF values, the solid brush
// a handler returns, and the device context whose colours it sets. GUI thread only.
#pragma once

#include "platform/WindowMessage.h"

#include <QBrush>
#include <QColor>
#include <cstdint>
#include <memory>

// Bytes from the lowest: red, green, blue, then 0.
using COLORREF = std::uint32_t;

constexpr COLORREF RGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return COLORREF{red} | COLORREF{green} << 8 | COLORREF{blue} << 16;
}

inline QColor ToQColor(COLORREF color)
{
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

inline COLORREF ToColorRef(const QColor& color)
{
    return RGB(static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
               static_cast<std::uint8_t>(color.blue()));
}

// A brush handle: valid while its CBrush holds it; null means the theme's own background.
using HBRUSH = const QBrush*;

class CBrush
{
public:
    // Replaces nothing: false if the object already holds a brush (DeleteObject it first).
    bool CreateSolidBrush(COLORREF color);
    bool DeleteObject();
    HBRUSH GetSafeHandle() const { return brush.get(); }

private:
    std::unique_ptr<QBrush> brush;
};

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// The kind of control asking, as the control-colour message tells it.
inline constexpr UINT CTLCOLOR_EDIT = 1;
inline constexpr UINT CTLCOLOR_LISTBOX = 2;
inline constexpr UINT CTLCOLOR_BTN = 3;
inline constexpr UINT CTLCOLOR_STATIC = 6;

class CWnd;

// lParam of WM_CTLCOLOR (wParam is the CDC*): the asking control and its kind.
struct ControlColorSource
{
    CWnd* control = nullptr;
    UINT kind = 0;
};

// The colours a control paints its text with; the framework fills them with the theme's colours
// before it asks the handler, and applies them when the handler returns.
class CDC
{
public:
    CDC(COLORREF text, COLORREF background) : textColor(text), bkColor(background) {}

    COLORREF SetTextColor(COLORREF color) { return Exchange(textColor, color); }
    COLORREF SetBkColor(COLORREF color) { return Exchange(bkColor, color); }
    int SetBkMode(int mode) { return Exchange(bkMode, mode); }
    COLORREF GetTextColor() const { return textColor; }
    COLORREF GetBkColor() const { return bkColor; }
    int GetBkMode() const { return bkMode; }

private:
    template <typename T> static T Exchange(T& slot, T value)
    {
        T previous = slot;
        slot = value;
        return previous;
    }

    COLORREF textColor;
    COLORREF bkColor;
    int bkMode = OPAQUE;
};
