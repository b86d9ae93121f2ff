// SPDX-License-Identifier: GPL-2.0-or-later
// CMenu: a popup menu whose items carry command identifiers. The framework uses it for the
// window's own system menu, since Linux window managers keep their window menu to themselves.
#pragma once

#include "framework/WindowMessages.h"

#include <functional>
#include <memory>
#include <string>

class QAction;
class QMenu;
class QPoint;
class QWidget;

class CMenu
{
public:
    using CommandSink = std::function<void(UINT command)>;

    // A menu with the usual system commands (restore, move, size, minimise, maximise, close);
    // a chosen item's identifier goes to `sink`.
    static std::unique_ptr<CMenu> MakeSystemMenu(QWidget* owner, CommandSink sink);

    CMenu(QWidget* owner, CommandSink sink);
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // MF_SEPARATOR, or MF_STRING with an identifier and a text ('&' marks the access key).
    bool AppendMenu(UINT flags, UINT id = 0, const std::string& text = {});

    int GetMenuItemCount() const;
    UINT GetMenuItemId(int position) const; // 0 for a separator
    std::string GetMenuString(int position) const;

    // Greys an item out or makes it choosable again, and sets or clears its check mark; an
    // identifier that no item carries changes nothing.
    void EnableMenuItem(UINT id, bool enabled);
    void CheckMenuItem(UINT id, bool checked);
    bool IsMenuItemEnabled(UINT id) const;
    bool IsMenuItemChecked(UINT id) const;
    // Runs `update` each time the menu is about to open, so its items show the state of then.
    void SetBeforeShow(std::function<void()> update);

    // Enables restore, minimise and maximise as the window's state allows.
    void UpdateSystemCommands(bool minimized, bool maximized);
    void Popup(const QPoint& globalPosition);
    QMenu* GetQMenu() const { return menu.get(); }

private:
    QAction* FindItem(UINT id) const;

    std::unique_ptr<QMenu> menu;
    CommandSink sink;
    std::function<void()> beforeShow;
};
