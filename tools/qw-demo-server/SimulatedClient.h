// SPDX-License-Identifier: GPL-2.0-or-later
// One client slot of the simulated server: a player or a spectator, with what its status line
// shows.
#pragma once

#include <string>

struct SimulatedClient
{
    int userId = 0;
    std::string name; // at most 31 bytes; never '"', '\\', '\r', '\n', '$' or ';'
    std::string skin; // same rules as the name
    std::string team;
    int topColor = 0; // 0 to 16
    int bottomColor = 0;
    int frags = 0;
    double connectedSeconds = 0;
    int ping = 0;
    bool spectator = false;
    bool bot = false;                 // shown only to a request with kStatusShowClientType
    double connectingSecondsLeft = 0; // above 0: still connecting, the ping reads 999
};

struct ServerInfoPair
{
    std::string key;
    std::string value;
};
