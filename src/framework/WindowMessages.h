// SPDX-License-Identifier: GPL-2.0-or-later
// The window messages, notification codes, command identifiers and flags that the framework
// delivers through message maps, numbered as the native platform numbers them.
#pragma once

#include "platform/WindowMessage.h"

inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_CTLCOLOR = 0x0019; // the single entry for all control-colour messages
inline constexpr UINT WM_ICONERASEBKGND = 0x0027; // wParam = the paint context (CPaintDC*)
inline constexpr UINT WM_QUERYDRAGICON = 0x0037;
inline constexpr UINT WM_CONTEXTMENU =
    0x007B;                                // wParam = control id, lParam = const QPoint* (global)
inline constexpr UINT WM_COMMAND = 0x0111; // wParam = MAKELONG(control id, notification code)
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_TIMER = 0x0113; // wParam = timer identifier

// Notification codes carried in the high word of WM_COMMAND.
inline constexpr UINT BN_CLICKED = 0;
inline constexpr UINT EN_SETFOCUS = 0x0100;
inline constexpr UINT EN_KILLFOCUS = 0x0200;
inline constexpr UINT EN_CHANGE = 0x0300;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDC_STATIC = -1; // a template control without an identifier of its own

// System commands; the low four bits are the platform's own and are masked off before comparing.
inline constexpr UINT SC_SIZE = 0xF000;
inline constexpr UINT SC_MOVE = 0xF010;
inline constexpr UINT SC_MINIMIZE = 0xF020;
inline constexpr UINT SC_MAXIMIZE = 0xF030;
inline constexpr UINT SC_CLOSE = 0xF060;
inline constexpr UINT SC_RESTORE = 0xF120;
inline constexpr UINT kSystemCommandMask = 0xFFF0;

// System metrics (GetSystemMetrics).
inline constexpr int SM_CXICON = 11;
inline constexpr int SM_CYICON = 12;

// Menu item flags for CMenu::AppendMenu.
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_SEPARATOR = 0x0800;

// Message box types: the program's boxes have an OK button and at most one icon.
inline constexpr UINT MB_OK = 0x0000;
inline constexpr UINT MB_ICONEXCLAMATION = 0x0030;
