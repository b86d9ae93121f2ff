// The window's command line: tallyhawk [HOST[:PORT]] [--watch] [--help] [--version]. Parsed
// before any window exists, so that --help, --version and a refused argument need no display.
#pragma once

#include "status/Result.h"

#include <optional>
#include <string>
#include <vector>

struct MonitorCommandLine
{
    std::optional<std::string> host; // fills the host edit, at most 15 characters
    std::optional<std::string> port; // fills the port combo, 1 to 65535
    bool watch = false;              // presses "Watch Server" once the window is up
};

// Text to print and an exit status to end with at once: 0 for --help and --version on standard
// output, 2 for a refused argument on standard error.
struct CommandLineExit
{
    int status = 0;
    std::string output;
};

// `arguments` without the program name.
Result<MonitorCommandLine, CommandLineExit>
ParseMonitorCommandLine(const std::vector<std::string>& arguments);
