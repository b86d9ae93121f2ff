// Modal message boxes with an OK button and the application title as caption. Each runs a nested
// event loop: timers and socket readiness go on being dispatched until the box is closed.
// Tests replace the person at the box with a hook (SetMessageBoxHook).
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

// The application title: the application object's, or else the program file's name without
// directory and extension.
std::string AfxGetAppName();

// The framework's message box, owned by the active window, or while another application is
// active by the main window or the window last active over it: the exclamation icon unless the
// type asks for another (the program never does). Returns IDOK.
int AfxMessageBox(const std::string& text, UINT type = MB_OK);

// One box; owner may be null.
int ShowMessageBox(QWidget* owner, const std::string& text, const std::string& caption,
                   MessageBoxIcon icon);
