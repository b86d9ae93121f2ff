// SPDX-License-Identifier: GPL-2.0-or-later
// The alerts a person chose in the Alerts dialog, kept between runs with Qt's settings in the
// user's configuration folder ($XDG_CONFIG_HOME/tallyhawk/tallyhawk.conf, key alerts/events: the
// event names, such as "join, players=8").
#pragma once

#include "status/WatchEvent.h"

// The kept alerts; none when nothing was kept. A name that is no event (an older or a hand-edited
// file) is passed over.
EventSelection LoadAlertChoice();
void SaveAlertChoice(const EventSelection& alerts);
