// SPDX-License-Identifier: GPL-2.0-or-later
// The clipboard's forms of the standings and of the server's address.
#include "ui/StandingsClipboard.h"

#include "framework/Text.h"
#include "query/HtmlOutput.h"
#include "query/JsonOutput.h"
#include "query/TextOutput.h"
#include "ui/ServerUrl.h"

#include <sstream>

namespace {

QString AddressText(const std::string& host, std::uint16_t port)
{
    return ToUnicode(host) + ':' + QString::number(port);
}

} // namespace

std::unique_ptr<QMimeData> StandingsMimeData(const QueryStandings& standings,
                                             const std::string& host, std::uint16_t port,
                                             const std::string& localTime)
{
    std::ostringstream text;
    WriteStandingsSummary(text, standings, AddressText(host, port).toStdString(), localTime);
    auto data = std::make_unique<QMimeData>();
    data->setText(QString::fromStdString(text.str()));
    data->setHtml(QString::fromStdString(StandingsToHtml(standings)));
    data->setData(QStringLiteral("application/json"),
                  QByteArray::fromStdString(StandingsToJson(standings)));
    return data;
}

std::unique_ptr<QMimeData> ServerAddressMimeData(const std::string& host, std::uint16_t port)
{
    auto data = std::make_unique<QMimeData>();
    if (const std::optional<QUrl> url = ServerUrl(host, port, QString()))
        data->setUrls({*url});
    data->setText(AddressText(host, port));
    return data;
}
