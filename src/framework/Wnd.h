// SPDX-License-Identifier: GPL-2.0-or-later
// CWnd: the framework's window object. It wraps a widget it does not own (controls, attached by
// the data exchange) or that its subclass owns (CDialog), takes messages synchronously through
// its class's message map, and provides the window services: text, enabling, focus, timers,
// icons, the system menu and the window's own message box. GUI thread only.
#pragma once

#include "framework/MessageMap.h"

#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>

class CMenu;
class QIcon;
class WindowTimers;

// Icons come from the program's resources and are shared for the program's life: never freed.
using HICON = const QIcon*;

class CWnd : public CMessageTarget
{
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Binds this object to a widget; a control object is attached once, by the first exchange.
    void Attach(QWidget* widget);
    // The widget, or null before attachment or after the window was destroyed.
    QWidget* GetSafeHwnd() const { return widget; }

    // Delivers the message through the message map before returning (CMessageTarget).
    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::string GetWindowText() const;
    void SetWindowText(const std::string& text);
    void EnableWindow(bool enable);
    bool IsWindowEnabled() const;
    void SetFocus();
    bool IsIconic() const;
    bool IsZoomed() const;
    // The client area, with its top left at (0, 0); empty without a window.
    QRect GetClientRect() const;

    // Starts timer `id`, or restarts it with the new period if it runs; ticks arrive as WM_TIMER
    // with the identifier in wParam. Returns id, or 0 without a window.
    UINT SetTimer(UINT id, UINT milliseconds);
    bool KillTimer(UINT id);

    // The window's big or small icon; returns the previous one.
    HICON SetIcon(HICON icon, bool bigIcon);
    HICON GetIcon(bool bigIcon) const;

    // The window's own system menu (Alt+Space), made on first use with the usual commands.
    // revert = true puts it back to the usual commands and returns null.
    CMenu* GetSystemMenu(bool revert);
    void ShowSystemMenu();

    // The window's own message box: OK button, no icon unless `type` asks for one, caption the
    // application title unless one is given. Returns IDOK.
    int MessageBox(const std::string& text, const std::string& caption = {}, UINT type = MB_OK);

    // Control notifications (WM_COMMAND from a control) are not delivered while locked; the data
    // exchange locks them and then restores what it found.
    bool NotificationsLocked() const { return notificationsLocked; }
    void SetNotificationsLocked(bool locked) { notificationsLocked = locked; }

protected:
    // Ends what belongs to the window rather than the object: its timers and system menu.
    void ReleaseWindowResources();

    virtual const MessageMap& GetMessageMap() const;
    // What a message no route takes gets: system commands, closing, commands from no control
    // passed on to the application object, the minimised icon's background.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Default system commands: restore, move, size, minimise, maximise, close.
    void OnSysCommand(UINT id, LPARAM lParam);
    // Default control colours: the theme's, which the device context already holds, and the
    // theme's background (a null brush).
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);

private:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    QPointer<QWidget> widget;
    bool notificationsLocked = false;
    std::unique_ptr<WindowTimers> timers;
    std::unique_ptr<CMenu> systemMenu;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
};
