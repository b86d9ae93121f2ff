// A test fixture holding one dialog, created, shown and active, with a message-box recorder
// standing in for the person at its boxes.
#pragma once

#include "EventLoopWait.h"
#include "MessageBoxRecorder.h"

#include <QWidget>
#include <gtest/gtest.h>

template <typename Dialog> class ShownDialogFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Create());
        ASSERT_TRUE(RunUntil([this] { return dialog.GetSafeHwnd()->isActiveWindow(); }));
    }

    QWidget* Item(int id) { return dialog.GetDlgItemWidget(id); }

    MessageBoxRecorder boxes; // outlives the dialog
    Dialog dialog;
};
