// SPDX-License-Identifier: GPL-2.0-or-later
// Window timers by identifier.
#include "TestDialog.h"

using namespace std::chrono_literals;

using WindowTimer = DialogFixture;

TEST_F(WindowTimer, TicksArriveWithTheirIdentifier)
{
    std::vector<UINT> ticks;
    dialog.onTimer = [&ticks](UINT id) { ticks.push_back(id); };
    EXPECT_EQ(dialog.SetTimer(42, 5), 42u);
    ASSERT_TRUE(RunUntil([&ticks] { return ticks.size() >= 3; }));
    EXPECT_EQ(ticks[0], 42u);
    EXPECT_TRUE(dialog.KillTimer(42));
    std::size_t seen = ticks.size();
    RunFor(50ms);
    EXPECT_EQ(ticks.size(), seen);
    EXPECT_FALSE(dialog.KillTimer(42));
}

TEST_F(WindowTimer, SettingARunningIdentifierRestartsItWithTheNewPeriod)
{
    int ticks = 0;
    dialog.onTimer = [&ticks](UINT) { ++ticks; };
    dialog.SetTimer(1, 600000);
    dialog.SetTimer(1, 10);
    EXPECT_TRUE(RunUntil([&ticks] { return ticks >= 2; }));
    dialog.KillTimer(1);
}

TEST_F(WindowTimer, AHandlerSuspendedInABoxIsEnteredAgainByTheNextTick)
{
    int depth = 0;
    int deepest = 0;
    int entries = 0;
    dialog.onTimer = [&](UINT) {
        ++entries;
        ++depth;
        deepest = std::max(deepest, depth);
        if (entries <= 2)
            AfxMessageBox("tick"); // kept open, so the next tick comes inside it
        --depth;
    };
    boxes.KeepOpenFor(150ms);
    dialog.SetTimer(9, 20);
    ASSERT_TRUE(RunUntil([&] { return entries >= 3 && depth == 0; }));
    dialog.KillTimer(9);
    EXPECT_GE(deepest, 2);
}
