// SPDX-License-Identifier: GPL-2.0-or-later
// Stands in for the person at the program's message boxes: records each box (text, caption,
// icon) as it opens and closes it with OK, after letting its nested event loop run for
// KeepOpenFor (0 by default). Installed for the recorder's lifetime.
#pragma once

#include "framework/MessageBox.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

class MessageBoxRecorder
{
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    void KeepOpenFor(std::chrono::milliseconds duration) { keepOpen = duration; }
    // Runs when a box opens, before its loop starts (to look at the program at that moment).
    void OnOpen(std::function<void(const MessageBoxRecord&)> callback)
    {
        onOpen = std::move(callback);
    }

    const std::vector<MessageBoxRecord>& Records() const { return records; }
    std::vector<std::string> Texts() const;
    // How many boxes were open at once at most (a box opened inside another's loop counts 2).
    int MaxOpenAtOnce() const { return maxOpenAtOnce; }

private:
    std::chrono::milliseconds keepOpen{0};
    std::function<void(const MessageBoxRecord&)> onOpen;
    std::vector<MessageBoxRecord> records;
    int maxOpenAtOnce = 0;
};
