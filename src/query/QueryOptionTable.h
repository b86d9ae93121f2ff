// SPDX-License-Identifier: GPL-2.0-or-later
// The long options of tallyhawk-query: the one table that both reading the command line and
// its help go by.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

enum class QueryOptionId
{
    FromFile,
    Json,
    Raw,
    Format,
    TeamMode,
    Team1,
    Team2,
    Team3,
    Timeout,
    Watch,
    Count,
    Record,
    Events,
    Until,
    NoFence,
    Extended,
    Help,
    Version,
};

struct QueryOptionSpec
{
    std::string_view name;
    QueryOptionId id;
    std::string_view valueName; // empty for a flag
};

// In the order --help lists them.
inline constexpr std::array kQueryOptions{
    QueryOptionSpec{"--from-file", QueryOptionId::FromFile, "PATH"},
    QueryOptionSpec{"--json", QueryOptionId::Json, ""},
    QueryOptionSpec{"--raw", QueryOptionId::Raw, ""},
    QueryOptionSpec{"--format", QueryOptionId::Format, "FORMAT"},
    QueryOptionSpec{"--team-mode", QueryOptionId::TeamMode, "MODE"},
    QueryOptionSpec{"--team1", QueryOptionId::Team1, "T"},
    QueryOptionSpec{"--team2", QueryOptionId::Team2, "T"},
    QueryOptionSpec{"--team3", QueryOptionId::Team3, "T"},
    QueryOptionSpec{"--timeout", QueryOptionId::Timeout, "SECONDS"},
    QueryOptionSpec{"--watch", QueryOptionId::Watch, "SECONDS"},
    QueryOptionSpec{"--count", QueryOptionId::Count, "N"},
    QueryOptionSpec{"--record", QueryOptionId::Record, "FILE"},
    QueryOptionSpec{"--events", QueryOptionId::Events, ""},
    QueryOptionSpec{"--until", QueryOptionId::Until, "EVENT"},
    QueryOptionSpec{"--no-fence", QueryOptionId::NoFence, ""},
    QueryOptionSpec{"--extended", QueryOptionId::Extended, ""},
    QueryOptionSpec{"--help", QueryOptionId::Help, ""},
    QueryOptionSpec{"--version", QueryOptionId::Version, ""},
};

// The table is indexed by QueryOptionId.
constexpr bool InQueryOptionIdOrder()
{
    for (std::size_t index = 0; index < kQueryOptions.size(); ++index)
        if (static_cast<std::size_t>(kQueryOptions[index].id) != index)
            return false;
    return true;
}
static_assert(InQueryOptionIdOrder());

inline const QueryOptionSpec& QueryOptionSpecOf(QueryOptionId id)
{
    return kQueryOptions[static_cast<std::size_t>(id)];
}
