// SPDX-License-Identifier: GPL-2.0-or-later
// The window's own system menu and the default system commands.
#include "TestDialog.h"
#include "framework/Menu.h"

#include <QMenu>
#include <QTest>

using SystemMenu = DialogFixture;

TEST_F(SystemMenu, HoldsTheUsualCommandsThenWhatTheProgramAppends)
{
    CMenu* menu = dialog.GetSystemMenu(false);
    menu->AppendMenu(MF_SEPARATOR);
    menu->AppendMenu(MF_STRING, 16, "&About Test...");
    std::vector<UINT> ids;
    for (int position = 0; position < menu->GetMenuItemCount(); ++position)
        ids.push_back(menu->GetMenuItemId(position));
    EXPECT_EQ(ids, (std::vector<UINT>{SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, 0,
                                      SC_CLOSE, 0, 16}));
    EXPECT_EQ(menu->GetMenuString(8), "&About Test...");
    EXPECT_EQ(dialog.GetSystemMenu(true), nullptr);
    EXPECT_EQ(dialog.GetSystemMenu(false)->GetMenuItemCount(), 7);
}

TEST_F(SystemMenu, AltSpaceOpensItAndAChosenItemArrivesAsASystemCommand)
{
    CMenu* menu = dialog.GetSystemMenu(false);
    menu->AppendMenu(MF_STRING, 16, "&About Test...");
    QTest::keyClick(dialog.GetSafeHwnd(), Qt::Key_Space, Qt::AltModifier);
    ASSERT_TRUE(RunUntil([menu] { return menu->GetQMenu()->isVisible(); }));
    menu->GetQMenu()->actions().back()->trigger();
    EXPECT_EQ(dialog.systemCommands, std::vector<UINT>{16});
    EXPECT_FALSE(dialog.Result()); // the program's own command does nothing by default
    menu->GetQMenu()->close();
}

TEST_F(SystemMenu, UnhandledCommandsGetTheDefaultWithTheLowBitsMasked)
{
    dialog.SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE | 0x2, 0);
    EXPECT_TRUE(RunUntil([this] { return dialog.IsZoomed(); }));
    dialog.SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(RunUntil([this] { return !dialog.IsZoomed(); }));
    dialog.SendMessage(WM_SYSCOMMAND, SC_CLOSE | 0x3, 0);
    EXPECT_EQ(dialog.Result(), IDCANCEL);
}
