// SPDX-License-Identifier: GPL-2.0-or-later
// Test main for tests that need widgets or an event loop: one QApplication for the whole run,
// on the offscreen platform unless the environment chooses another.

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // As in the program (AfxWinMain): a dialog closing as the last window must not end the
    // nested event loops of the tests that follow.
    QApplication::setQuitOnLastWindowClosed(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
