// SPDX-License-Identifier: GPL-2.0-or-later
// Starts qw-demo-server on a free loopback port for a test and stops it when the test ends.
#pragma once

#include "ChildProcess.h"

#include <memory>
#include <string>
#include <vector>

class DemoServerRunner
{
public:
    // Starts the server with --port 0 --max-seconds maxSeconds and the given arguments, and
    // waits for its ready line. Port() is 0 if it never became ready.
    explicit DemoServerRunner(const std::vector<std::string>& arguments, int maxSeconds = 60);

    unsigned Port() const { return port; }
    // "127.0.0.1:PORT", or "[::1]:PORT" for a server given --bind ::1.
    std::string Address() const { return host + ":" + std::to_string(port); }
    BackgroundProcess& Process() { return *process; }

private:
    std::unique_ptr<BackgroundProcess> process;
    std::string host;
    unsigned port = 0;
};
