// The exit codes of tallyhawk-query, one per kind of outcome, as listed by --help.
#pragma once

#include "status/StatusWireFormat.h"

#include <string>

enum class ExitCode
{
    Success = 0,
    NoReply = 1,          // empty reply: "Server Did Not Respond"
    Usage = 2,            // bad option, missing or unreadable file
    HostNotResolved = 3,  // the host name does not resolve to an IPv4 address
    PortOutOfRange = 4,   // the port is not a number from 1 to 65535
    Refused = 5,          // the network refused the query: nothing listens there
    OversizeDatagram = 6, // a reply datagram longer than kMaxDatagramBytes
    NetworkFailure = 7,   // any other socket failure
};

inline int ToInt(ExitCode code)
{
    return static_cast<int>(code);
}

// The table printed at the end of --help.
inline std::string ExitCodeHelp()
{
    return "Exit codes:\n"
           "  0  standings printed\n"
           "  1  Server Did Not Respond (no reply in time, or an empty reply)\n"
           "  2  bad option, or a file that cannot be read\n"
           "  3  host name does not resolve\n"
           "  4  port out of range (1 to 65535)\n"
           "  5  reply refused by the network (nothing listening there)\n"
           "  6  reply datagram larger than " +
           std::to_string(kMaxDatagramBytes) +
           " bytes\n"
           "  7  other network failure\n";
}
