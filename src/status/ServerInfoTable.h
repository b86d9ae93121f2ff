// SPDX-License-Identifier: GPL-2.0-or-later
// The serverinfo key/value pairs of a status reply, in reply order. Keys may repeat; empty keys
// and values are stored like any other. Slots at or beyond infoCount are never read.
#pragma once

#include <array>
#include <cstdint>
#include <string>

inline constexpr int kMaxServerInfoPairs = 25;

struct ServerInfoTable
{
    std::array<std::string, kMaxServerInfoPairs> infoKeys;
    std::array<std::string, kMaxServerInfoPairs> infoValues; // same index as its key
    std::int32_t infoCount = 0;                              // 0 to kMaxServerInfoPairs
};
