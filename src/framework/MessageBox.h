// SPDX-License-Identifier: GPL-2.0-or-later
// Modal message boxes with an OK button. Each runs a nested event loop: timers and socket
// readiness go on being dispatched until the box is closed. Tests replace the person at the box
// with a hook (SetMessageBoxHook). This file knows nothing of the application object: the rules
// that need it (which window owns a box, the caption) live in WinApp.cpp.
#pragma once

#include "framework/WindowMessages.h"

#include <chrono>
#include <functional>
#include <string>

class QWidget;

enum class MessageBoxIcon
{
    None,
    Exclamation,
};

struct MessageBoxRecord
{
    std::string text;
    std::string caption;
    MessageBoxIcon icon = MessageBoxIcon::None;
    const QWidget* owner = nullptr;
};

// Called when a box opens; the box then closes with OK after the returned time, during which
// its nested event loop runs. An empty hook gives the box back to the person at the screen.
using MessageBoxHook = std::function<std::chrono::milliseconds(const MessageBoxRecord&)>;
void SetMessageBoxHook(MessageBoxHook hook);

// One box; owner may be null. `type` is MB_OK, with MB_ICONEXCLAMATION for the exclamation
// icon; without it the box has no icon. Returns IDOK.
int ShowMessageBox(QWidget* owner, const std::string& text, const std::string& caption, UINT type);

// The framework's message box, with the application's owner and caption rules: defined with the
// application object (WinApp.cpp). The default type gives the exclamation icon, which every
// box of the program that names no type relies on; MB_OK alone gives none. Returns IDOK.
int AfxMessageBox(const std::string& text, UINT type = MB_OK | MB_ICONEXCLAMATION);
