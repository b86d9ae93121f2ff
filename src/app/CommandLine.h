// SPDX-License-Identifier: GPL-2.0-or-later
// The window's command line: tallyhawk [HOST[:PORT]] [--watch] [--alert EVENT]... [--help]
// [--version], among Qt's
// own options (-style, -platform, -reverse, …), which are left for QApplication. Parsed before
// any window exists, so that --help, --version and a refused argument need no display.
#pragma once

#include "status/Result.h"
#include "status/WatchEvent.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct MonitorCommandLine
{
    std::optional<std::string> host;   // fills the host edit, at most 15 characters
    std::optional<std::uint16_t> port; // fills the port combo; without it the combo keeps 27000
    bool watch = false;                // presses "Watch Server" once the window is up
    // The alerts of this run, chosen as the Alerts dialog would but not kept; none given: the
    // kept choice.
    std::optional<EventSelection> alerts;
};

// Text to print and an exit status to end with at once: 0 for --help and --version on standard
// output, 2 for a refused argument on standard error.
struct CommandLineExit
{
    int status = 0;
    std::string output;
};

// `arguments` without the program name, Qt's options included: they are passed over here, and
// QApplication takes them out of argv when it is made.
Result<MonitorCommandLine, CommandLineExit>
ParseMonitorCommandLine(const std::vector<std::string>& arguments);
