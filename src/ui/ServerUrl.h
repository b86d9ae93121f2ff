// SPDX-License-Identifier: GPL-2.0-or-later
// The qw:// URL of a server, as QuakeWorld clients take it from the desktop.
#pragma once

#include <QString>
#include <QUrl>
#include <cstdint>
#include <optional>
#include <string>

// qw://HOST:PORT followed by `path` ("" or "/observe"), or nothing for an empty host, a host
// that cannot stand in a URL (a space, a slash, ...) or port 0. The host is the window's 8-bit
// text.
std::optional<QUrl> ServerUrl(const std::string& host, std::uint16_t port, const QString& path);
