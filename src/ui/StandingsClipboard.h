// SPDX-License-Identifier: GPL-2.0-or-later
// What "Copy Standings" and "Copy Server Address" put on the clipboard, made by the same writers
// as tallyhawk-query's output, so a chat, a spreadsheet and a script each find their form.
#pragma once

#include "query/QueryStandings.h"

#include <QMimeData>
#include <cstdint>
#include <memory>
#include <string>

// The standings the window shows, kept as they were shown: what "Copy Standings" copies, not a
// new query.
struct ShownStandings
{
    QueryStandings standings;
    std::string localTime; // when they were shown
};

// The standings in three forms at once: text/plain, the chat-width summary headed by the
// server's address, its hostname and `localTime` (WriteStandingsSummary); text/html, one table
// (StandingsToHtml); application/json, the document of tallyhawk-query --json. The host is the
// window's 8-bit text.
std::unique_ptr<QMimeData> StandingsMimeData(const QueryStandings& standings,
                                             const std::string& host, std::uint16_t port,
                                             const std::string& localTime);

// HOST:PORT as text/plain, and qw://HOST:PORT as text/uri-list when the host can stand in a URL.
std::unique_ptr<QMimeData> ServerAddressMimeData(const std::string& host, std::uint16_t port);
