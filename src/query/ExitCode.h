// SPDX-License-Identifier: GPL-2.0-or-later
// The exit codes of tallyhawk-query, one per kind of outcome, and the table of their meanings
// that --help ends with (the README shows the same table; a test holds them together).
#pragma once

#include "status/StatusWireFormat.h"

#include <string>

enum class ExitCode
{
    Success = 0,
    NoReply = 1,
    Usage = 2,
    HostNotResolved = 3,
    PortOutOfRange = 4,
    Refused = 5,
    OversizeDatagram = 6,
    NetworkFailure = 7,
    RecordFailed = 8,
    EventNotSeen = 9,
};

inline constexpr ExitCode kLastExitCode = ExitCode::EventNotSeen;

inline int ToInt(ExitCode code)
{
    return static_cast<int>(code);
}

// The one description of each code; the switch makes a new code without one a build error.
inline std::string ExitCodeMeaning(ExitCode code)
{
    switch (code) {
    case ExitCode::Success:
        return "standings printed, or the awaited event happened";
    case ExitCode::NoReply:
        return "Server Did Not Respond (no reply in time, or an empty reply)";
    case ExitCode::Usage:
        return "bad option, or a file that cannot be read";
    case ExitCode::HostNotResolved:
        return "host name does not resolve";
    case ExitCode::PortOutOfRange:
        return "port out of range (1 to 65535)";
    case ExitCode::Refused:
        return "reply refused by the network (nothing listening there)";
    case ExitCode::OversizeDatagram:
        return "reply datagram larger than " + std::to_string(kMaxDatagramBytes) + " bytes";
    case ExitCode::NetworkFailure:
        return "other network failure";
    case ExitCode::RecordFailed:
        return "match record cannot be written (watching stops)";
    case ExitCode::EventNotSeen:
        return "the watch ended (its count ran out) before the awaited event happened";
    }
    return {};
}

// The table printed at the end of --help.
inline std::string ExitCodeHelp()
{
    std::string table = "Exit codes:\n";
    for (int code = 0; code <= ToInt(kLastExitCode); ++code)
        table += "  " + std::to_string(code) + "  " + ExitCodeMeaning(static_cast<ExitCode>(code)) +
                 "\n";
    return table;
}
