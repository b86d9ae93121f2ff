// SPDX-License-Identifier: GPL-2.0-or-later
// The person's choices kept between runs: one file in the user's configuration folder
// (~/.config/tallyhawk/tallyhawk.conf), shared by every window of the program.
#pragma once

#include <QSettings>

inline QSettings UserSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tallyhawk"),
                     QStringLiteral("tallyhawk"));
}
