// SPDX-License-Identifier: GPL-2.0-or-later
// Starts qw-demo-server and reads the port from its ready line.
#include "DemoServerRunner.h"

DemoServerRunner::DemoServerRunner(const std::vector<std::string>& arguments, int maxSeconds)
{
    std::vector<std::string> command{TALLYHAWK_DEMO_SERVER_PATH, "--port", "0", "--max-seconds",
                                     std::to_string(maxSeconds)};
    command.insert(command.end(), arguments.begin(), arguments.end());
    process = std::make_unique<BackgroundProcess>(command);
    const std::string readyPrefix = "listening on ";
    if (const auto line = process->WaitForLine(readyPrefix)) {
        const std::string endpoint = line->substr(readyPrefix.size());
        const std::size_t colon = endpoint.rfind(':');
        host = endpoint.substr(0, colon);
        port = static_cast<unsigned>(std::stoul(endpoint.substr(colon + 1)));
    }
}
