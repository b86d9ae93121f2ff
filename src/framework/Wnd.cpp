// SPDX-License-Identifier: GPL-2.0-or-later
// CWnd: message dispatch through the message maps, default handling and the window services.
#include "framework/Wnd.h"

#include "framework/Menu.h"
#include "framework/MessageBox.h"
#include "framework/PaintDC.h"
#include "framework/Text.h"
#include "framework/WidgetText.h"
#include "framework/WinApp.h"
#include "framework/WindowTimers.h"

#include <QIcon>
#include <QWindow>

CWnd::CWnd() = default;

CWnd::~CWnd() = default;

void CWnd::Attach(QWidget* target)
{
    widget = target;
}

void CWnd::ReleaseWindowResources()
{
    timers.reset();
    systemMenu.reset();
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowProc(message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // lParam of WM_COMMAND names the sending control; 0 means a command from the keyboard.
    if (message == WM_COMMAND && lParam != 0 && notificationsLocked)
        return 0;
    LRESULT result = 0;
    if (RouteMessage(GetMessageMap(), *this, message, wParam, lParam, &result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

const MessageMap& CWnd::GetMessageMap() const
{
    static const MessageMap map{{}, nullptr};
    return map;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SYSCOMMAND:
        OnSysCommand(static_cast<UINT>(wParam), lParam);
        return 0;
    case WM_CLOSE:
        if (widget)
            widget->hide();
        return 0;
    case WM_COMMAND:
        // A command no window takes (no control: lParam 0) goes to the application object.
        if (lParam == 0 && AfxGetApp())
            return AfxGetApp()->SendMessage(message, wParam, lParam);
        return 0;
    case WM_ICONERASEBKGND:
        if (widget && wParam != 0)
            reinterpret_cast<CPaintDC*>(wParam)->FillSolidRect(
                widget->rect(), widget->palette().color(QPalette::Window));
        return 1;
    default:
        return 0;
    }
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT)
{
    // The device context already holds the theme's colours; a null brush keeps its background.
    return nullptr;
}

void CWnd::OnSysCommand(UINT id, LPARAM)
{
    if (!widget)
        return;
    switch (id & kSystemCommandMask) {
    case SC_CLOSE:
        SendMessage(WM_CLOSE, 0, 0);
        break;
    case SC_MINIMIZE:
        widget->showMinimized();
        break;
    case SC_MAXIMIZE:
        widget->showMaximized();
        break;
    case SC_RESTORE:
        widget->showNormal();
        break;
    case SC_MOVE:
        if (QWindow* window = widget->windowHandle())
            window->startSystemMove();
        break;
    case SC_SIZE:
        if (QWindow* window = widget->windowHandle())
            window->startSystemResize(Qt::RightEdge | Qt::BottomEdge);
        break;
    default:
        break;
    }
}

std::string CWnd::GetWindowText() const
{
    return widget ? ToBytes(ReadWidgetText(widget)) : std::string();
}

void CWnd::SetWindowText(const std::string& text)
{
    if (widget)
        WriteWidgetText(widget, ToUnicode(text));
}

void CWnd::EnableWindow(bool enable)
{
    if (widget)
        widget->setEnabled(enable);
}

bool CWnd::IsWindowEnabled() const
{
    return widget && widget->isEnabled();
}

void CWnd::SetFocus()
{
    if (widget)
        widget->setFocus(Qt::OtherFocusReason);
}

bool CWnd::IsIconic() const
{
    return widget && widget->isMinimized();
}

bool CWnd::IsZoomed() const
{
    return widget && widget->isMaximized();
}

QRect CWnd::GetClientRect() const
{
    return widget ? widget->rect() : QRect();
}

UINT CWnd::SetTimer(UINT id, UINT milliseconds)
{
    if (!widget)
        return 0;
    if (!timers)
        timers = std::make_unique<WindowTimers>(*this);
    timers->Start(id, milliseconds);
    return id;
}

bool CWnd::KillTimer(UINT id)
{
    return timers && timers->Stop(id);
}

HICON CWnd::SetIcon(HICON icon, bool bigIcon)
{
    HICON& slot = bigIcon ? this->bigIcon : smallIcon;
    HICON previous = slot;
    slot = icon;
    if (widget) {
        // One window icon holds every size; the big icon's images come first.
        QIcon combined;
        for (HICON source : {this->bigIcon, smallIcon}) {
            if (source == nullptr)
                continue;
            for (QSize size : source->availableSizes())
                combined.addPixmap(source->pixmap(size));
        }
        widget->setWindowIcon(combined);
    }
    return previous;
}

HICON CWnd::GetIcon(bool bigIcon) const
{
    return bigIcon ? this->bigIcon : smallIcon;
}

CMenu* CWnd::GetSystemMenu(bool revert)
{
    if (revert) {
        systemMenu.reset();
        return nullptr;
    }
    if (!systemMenu) {
        systemMenu = CMenu::MakeSystemMenu(
            widget, [this](UINT command) { SendMessage(WM_SYSCOMMAND, command, 0); });
    }
    return systemMenu.get();
}

void CWnd::ShowSystemMenu()
{
    if (!widget)
        return;
    CMenu* menu = GetSystemMenu(false);
    menu->UpdateSystemCommands(widget->isMinimized(), widget->isMaximized());
    menu->Popup(widget->mapToGlobal(QPoint(0, 0)));
}

int CWnd::MessageBox(const std::string& text, const std::string& caption, UINT type)
{
    // Nested event loop: timer ticks and socket events of this window run while the box is open.
    return ShowMessageBox(widget, text, caption.empty() ? AfxGetAppName() : caption, type);
}
