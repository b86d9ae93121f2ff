// SPDX-License-Identifier: GPL-2.0-or-later
// Reading and writing the text of any kind of control or window the framework makes, in
// Unicode. Static texts are always plain text: server-controlled text is never markup.
#pragma once

#include <QString>

class QWidget;

QString ReadWidgetText(const QWidget* widget);
void WriteWidgetText(QWidget* widget, const QString& text);
