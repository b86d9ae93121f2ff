// Test fixtures holding one dialog, created, shown and active, with a message-box recorder
// standing in for the person at its boxes; the second makes it the application's main window.
#pragma once

#include "EventLoopWait.h"
#include "MessageBoxRecorder.h"
#include "framework/WinApp.h"

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

// The dialog as the program runs it: the application's main window.
template <typename Dialog> class ShownMainWindowFixture : public ShownDialogFixture<Dialog>
{
protected:
    void SetUp() override
    {
        ShownDialogFixture<Dialog>::SetUp();
        app.mainWnd = &this->dialog;
    }

    CWinApp app;
};
