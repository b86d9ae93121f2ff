// SPDX-License-Identifier: GPL-2.0-or-later
// The string table and icons from the Qt resources compiled into the program.
#include "framework/Resources.h"

#include "framework/Text.h"

#include <QFile>
#include <QIcon>
#include <QJsonDocument>
#include <QJsonObject>
#include <map>

std::string AfxLoadString(UINT id)
{
    static const QJsonObject table = [] {
        QFile file(QStringLiteral(":/strings.json"));
        if (!file.open(QIODevice::ReadOnly))
            return QJsonObject();
        return QJsonDocument::fromJson(file.readAll()).object();
    }();
    return ToBytes(table.value(QString::number(id)).toString());
}

HICON AfxLoadIcon(UINT id)
{
    // Deliberately never freed: icons outlive every window that shows them, and freeing pixmaps
    // after the application object is gone is not allowed.
    static auto* cache = new std::map<UINT, QIcon*>();
    auto found = cache->find(id);
    if (found != cache->end())
        return found->second;
    QString path = QStringLiteral(":/icons/%1.png").arg(id);
    if (!QFile::exists(path))
        return nullptr;
    auto* icon = new QIcon(path);
    QString small = QStringLiteral(":/icons/%1-16.png").arg(id);
    if (QFile::exists(small))
        icon->addFile(small);
    cache->emplace(id, icon);
    return icon;
}

std::vector<std::uint8_t> AfxLoadBitmapBytes(UINT id)
{
    QFile file(QStringLiteral(":/bitmaps/%1.dib").arg(id));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return {bytes.begin(), bytes.end()};
}
