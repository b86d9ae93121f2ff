// SPDX-License-Identifier: GPL-2.0-or-later
// The qw:// URL of a server.
#include "ui/ServerUrl.h"

#include "framework/Text.h"

std::optional<QUrl> ServerUrl(const std::string& host, std::uint16_t port, const QString& path)
{
    if (host.empty() || port == 0)
        return std::nullopt;
    QUrl url;
    url.setScheme(QStringLiteral("qw"));
    url.setHost(ToUnicode(host), QUrl::StrictMode);
    url.setPort(port);
    url.setPath(path);
    if (!url.isValid() || url.host().isEmpty())
        return std::nullopt;
    return url;
}
