// SPDX-License-Identifier: GPL-2.0-or-later
// The recorder installs itself as the framework's message-box hook.
#include "MessageBoxRecorder.h"

#include <QApplication>
#include <QMessageBox>

namespace {

int VisibleMessageBoxes()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMessageBox*>(widget) && widget->isVisible())
            ++count;
    }
    return count;
}

} // namespace

MessageBoxRecorder::MessageBoxRecorder()
{
    SetMessageBoxHook([this](const MessageBoxRecord& record) {
        records.push_back(record);
        // The new box is not shown yet: the boxes already open plus this one.
        maxOpenAtOnce = std::max(maxOpenAtOnce, VisibleMessageBoxes() + 1);
        if (onOpen)
            onOpen(record);
        return keepOpen;
    });
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    SetMessageBoxHook({});
}

std::vector<std::string> MessageBoxRecorder::Texts() const
{
    std::vector<std::string> texts;
    for (const MessageBoxRecord& record : records)
        texts.push_back(record.text);
    return texts;
}
