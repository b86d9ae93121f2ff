// SPDX-License-Identifier: GPL-2.0-or-later
// Starts qw-demo-server and reads the port from its ready line.
#include "DemoServerRunner.h"

DemoServerRunner::DemoServerRunner(const std::vector<std::string>& arguments, int maxSeconds)
{
    std::vector<std::string> command{TALLYHAWK_DEMO_SERVER_PATH, "--port", "0", "--max-seconds",
                                     std::to_string(maxSeconds)};
    command.insert(command.end(), arguments.begin(), arguments.end());
    process = std::make_unique<BackgroundProcess>(command);
    const std::string readyPrefix = "listening on 127.0.0.1:";
    if (const auto line = process->WaitForLine(readyPrefix))
        port = static_cast<unsigned>(std::stoul(line->substr(readyPrefix.size())));
}
