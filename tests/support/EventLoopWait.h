// SPDX-License-Identifier: GPL-2.0-or-later
// Waiting in tests without sleeping: runs the Qt event loop of the calling thread until a
// condition holds or a deadline passes. Needs a QCoreApplication (the GUI test main makes one).
#pragma once

#include <chrono>
#include <functional>

// Processes events until condition() is true; returns false if the deadline passed first.
bool RunUntil(const std::function<bool()>& condition,
              std::chrono::milliseconds deadline = std::chrono::seconds(5));

// Processes events for the given time, for tests that must show that nothing happens.
void RunFor(std::chrono::milliseconds duration);
