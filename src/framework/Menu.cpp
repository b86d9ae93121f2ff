// SPDX-License-Identifier: GPL-2.0-or-later
// Menus with command identifiers, and the system menu's usual commands and their enabling.
#include "framework/Menu.h"

#include "framework/Text.h"
#include "framework/WindowMessages.h"

#include <QMenu>

std::unique_ptr<CMenu> CMenu::MakeSystemMenu(QWidget* owner, CommandSink sink)
{
    auto menu = std::make_unique<CMenu>(owner, std::move(sink));
    menu->AppendMenu(MF_STRING, SC_RESTORE, "&Restore");
    menu->AppendMenu(MF_STRING, SC_MOVE, "&Move");
    menu->AppendMenu(MF_STRING, SC_SIZE, "&Size");
    menu->AppendMenu(MF_STRING, SC_MINIMIZE, "Mi&nimize");
    menu->AppendMenu(MF_STRING, SC_MAXIMIZE, "Ma&ximize");
    menu->AppendMenu(MF_SEPARATOR);
    menu->AppendMenu(MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
    return menu;
}

CMenu::CMenu(QWidget* owner, CommandSink sink)
    : menu(std::make_unique<QMenu>()), sink(std::move(sink))
{
    // Not a child of the owner: this object owns the menu, and may outlive the owner's widget.
    if (owner)
        menu->setFont(owner->font());
}

CMenu::~CMenu() = default;

bool CMenu::AppendMenu(UINT flags, UINT id, const std::string& text)
{
    if (flags & MF_SEPARATOR) {
        menu->addSeparator();
        return true;
    }
    QAction* action = menu->addAction(ToUnicode(text));
    action->setData(id);
    QObject::connect(action, &QAction::triggered, menu.get(), [this, id] {
        if (sink)
            sink(id);
    });
    return true;
}

int CMenu::GetMenuItemCount() const
{
    return static_cast<int>(menu->actions().size());
}

UINT CMenu::GetMenuItemId(int position) const
{
    QList<QAction*> actions = menu->actions();
    if (position < 0 || position >= actions.size())
        return 0;
    return actions[position]->data().toUInt();
}

std::string CMenu::GetMenuString(int position) const
{
    QList<QAction*> actions = menu->actions();
    if (position < 0 || position >= actions.size())
        return {};
    return ToBytes(actions[position]->text());
}

QAction* CMenu::FindItem(UINT id) const
{
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator() && action->data().toUInt() == id)
            return action;
    }
    return nullptr;
}

void CMenu::EnableMenuItem(UINT id, bool enabled)
{
    if (QAction* item = FindItem(id))
        item->setEnabled(enabled);
}

void CMenu::CheckMenuItem(UINT id, bool checked)
{
    if (QAction* item = FindItem(id)) {
        item->setCheckable(true);
        item->setChecked(checked);
    }
}

bool CMenu::IsMenuItemEnabled(UINT id) const
{
    const QAction* item = FindItem(id);
    return item && item->isEnabled();
}

bool CMenu::IsMenuItemChecked(UINT id) const
{
    const QAction* item = FindItem(id);
    return item && item->isChecked();
}

void CMenu::SetBeforeShow(std::function<void()> update)
{
    if (!beforeShow) {
        QObject::connect(menu.get(), &QMenu::aboutToShow, menu.get(), [this] {
            if (beforeShow)
                beforeShow();
        });
    }
    beforeShow = std::move(update);
}

void CMenu::UpdateSystemCommands(bool minimized, bool maximized)
{
    for (QAction* action : menu->actions()) {
        switch (action->data().toUInt()) {
        case SC_RESTORE:
            action->setEnabled(minimized || maximized);
            break;
        case SC_MOVE:
        case SC_SIZE:
            action->setEnabled(!minimized && !maximized);
            break;
        case SC_MINIMIZE:
            action->setEnabled(!minimized);
            break;
        case SC_MAXIMIZE:
            action->setEnabled(!maximized);
            break;
        default:
            break;
        }
    }
}

void CMenu::Popup(const QPoint& globalPosition)
{
    menu->popup(globalPosition);
}
