// SPDX-License-Identifier: GPL-2.0-or-later
// The control identifier kept on the widget itself, since controls of every kind carry one.
#include "framework/ControlId.h"

#include <QVariant>
#include <QWidget>

namespace {

const char* const kControlIdProperty = "tallyhawkControlId";

} // namespace

void SetControlId(QWidget& control, int id)
{
    control.setProperty(kControlIdProperty, id);
}

std::optional<int> ControlIdOf(const QWidget& widget)
{
    const QVariant id = widget.property(kControlIdProperty);
    if (!id.isValid())
        return std::nullopt;
    return id.toInt();
}
