// SPDX-License-Identifier: GPL-2.0-or-later
// The window's own commands in the lists' context menus: which entries each list offers, the
// ways a person opens them, and the standings entry greyed until there are standings to copy.
#include "DialogDriver.h"
#include "EventLoopWait.h"
#include "ShownDialogFixture.h"
#include "framework/Menu.h"
#include "res/ResourceIds.h"
#include "ui/MonitorDlg.h"
#include "ui/MonitorDlgSeam.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class MonitorMenus : public ShownMainWindowFixture<CMonitorDlg>
{
protected:
    // Opens the list's context menu the way `open` does and gives the command of each entry.
    std::vector<UINT> ContextMenuOf(int listId, const std::function<void(QWidget&)>& open)
    {
        auto* list = qobject_cast<QAbstractItemView*>(Item(listId));
        open(*list);
        std::unique_ptr<CMenu>& menu = Seam(dialog).contextMenu;
        if (!RunUntil([&menu] { return menu && menu->GetQMenu()->isVisible(); }))
            return {};
        std::vector<UINT> commands;
        for (int position = 0; position < menu->GetMenuItemCount(); ++position)
            commands.push_back(menu->GetMenuItemId(position));
        menu->GetQMenu()->close();
        return commands;
    }

    // What the window system sends on a right click.
    static void RightClick(QWidget& list)
    {
        QWidget* viewport = qobject_cast<QAbstractItemView*>(&list)->viewport();
        const QPoint at(10, 10);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &click);
    }
};

TEST_F(MonitorMenus, EachListOffersItsEntriesByMouseAndKeyboard)
{
    const std::vector<UINT> playerEntries{
        kCopyStandingsCommand, kCopyAddressCommand, 0,
        kAlertsCommand,        kRecordMatchCommand, kTimelineCommand};
    const std::vector<UINT> infoEntries{kCopyStandingsCommand, kCopyAddressCommand};
    EXPECT_EQ(ContextMenuOf(kPlayerListId, RightClick), playerEntries);
    EXPECT_EQ(ContextMenuOf(kInfoListId, RightClick), infoEntries);
    const auto shiftF10 = [](QWidget& list) {
        list.setFocus();
        QTest::keyClick(&list, Qt::Key_F10, Qt::ShiftModifier);
    };
    EXPECT_EQ(ContextMenuOf(kPlayerListId, shiftF10), playerEntries);
}

TEST_F(MonitorMenus, CopyStandingsIsGreyedUntilAReplyIsShown)
{
    CMenu* windowMenu = dialog.GetSystemMenu(false);
    const auto openWindowMenu = [this, windowMenu] {
        QTest::keyClick(dialog.GetSafeHwnd(), Qt::Key_Space, Qt::AltModifier);
        const bool opened = RunUntil([windowMenu] { return windowMenu->GetQMenu()->isVisible(); });
        windowMenu->GetQMenu()->close();
        return opened;
    };
    ASSERT_TRUE(openWindowMenu());
    EXPECT_FALSE(windowMenu->IsMenuItemEnabled(kCopyStandingsCommand));
    EXPECT_TRUE(windowMenu->IsMenuItemEnabled(kCopyAddressCommand));
    EXPECT_FALSE(windowMenu->IsMenuItemChecked(kRecordMatchCommand));

    Seam(dialog).standingsServer = WatchedServer{"127.0.0.1", 27500};
    ASSERT_TRUE(openWindowMenu());
    EXPECT_TRUE(windowMenu->IsMenuItemEnabled(kCopyStandingsCommand));
}

} // namespace
