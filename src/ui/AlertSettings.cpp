// SPDX-License-Identifier: GPL-2.0-or-later
// The kept alerts in QSettings' native format for the user scope.
#include "ui/AlertSettings.h"

#include "ui/UserSettings.h"

#include <QStringList>

namespace {

const QString kKey = QStringLiteral("alerts/events");

} // namespace

EventSelection LoadAlertChoice()
{
    EventSelection alerts;
    for (const QString& name : UserSettings().value(kKey).toStringList())
        alerts.Add(name.trimmed().toStdString()); // an unknown name adds nothing
    return alerts;
}

void SaveAlertChoice(const EventSelection& alerts)
{
    QStringList names;
    for (const std::string& name : alerts.Names())
        names << QString::fromStdString(name);
    QSettings settings = UserSettings();
    settings.setValue(kKey, names);
    settings.sync();
}
