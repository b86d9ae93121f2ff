// SPDX-License-Identifier: GPL-2.0-or-later
// The demo server's socket loop: one UDP socket on a loopback address (IPv4 or IPv6), poll() for
// requests, SIGINT and SIGTERM for a clean stop. Single-threaded.
#pragma once

#include "qw-demo-server/Scenario.h"
#include "qw-demo-server/SimulatedMatch.h"
#include "status/StatusWireFormat.h"

#include <optional>
#include <string>

struct DemoServerOptions
{
    std::string bindAddress = "127.0.0.1"; // a loopback address, IPv4 or IPv6 ("::1")
    unsigned port = kDefaultServerPort;    // 0: any free port, shown in the ready line
    MatchSettings match;
    double speed = 1; // match seconds per real second; 0 freezes the match
    Scenario scenario = Scenario::Normal;
    std::optional<double> maxSeconds; // stop by itself after this long
    double stepSeconds = 5;           // the pickup scenario's step
    bool verbose = false;             // log every datagram
};

// Binds, prints "listening on ADDRESS:PORT" ("[::1]:PORT" for IPv6) on standard error, and answers
// until a signal or maxSeconds. Returns the process exit code: 0 after a clean stop, 1 when the
// socket cannot be set up (the reason on standard error).
int RunDemoServer(const DemoServerOptions& options);
