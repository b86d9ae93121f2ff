// SPDX-License-Identifier: GPL-2.0-or-later
// Test fixtures holding one dialog, created, shown and active, with a message-box recorder
// standing in for the person at its boxes; the second makes it the application's main window.
#pragma once

#include "EventLoopWait.h"
#include "MessageBoxRecorder.h"
#include "framework/WinApp.h"

#include <QAccessible>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>
#include <vector>

template <typename Dialog> class ShownDialogFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Create());
        ASSERT_TRUE(RunUntil([this] { return dialog.GetSafeHwnd()->isActiveWindow(); }));
    }

    QWidget* Item(int id) { return dialog.GetDlgItemWidget(id); }

    // What a screen reader finds for control `id`: its interface, its name, and the names of
    // the controls that label it.
    QAccessibleInterface* Accessible(int id)
    {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Item(id));
        EXPECT_NE(accessible, nullptr) << id;
        return accessible;
    }
    std::string AccessibleName(int id)
    {
        return Accessible(id)->text(QAccessible::Name).toStdString();
    }
    std::vector<std::string> LabelNames(int id)
    {
        std::vector<std::string> names;
        for (const auto& [label, relation] : Accessible(id)->relations(QAccessible::Label))
            names.push_back(label->text(QAccessible::Name).toStdString());
        return names;
    }

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
