// SPDX-License-Identifier: GPL-2.0-or-later
// The paint-time control-colour message and the palette it results in.
#include "framework/ControlColors.h"

#include "framework/Gdi.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <optional>

namespace {

constexpr QPalette::ColorGroup kGroups[] = {QPalette::Active, QPalette::Inactive,
                                            QPalette::Disabled};

class ControlColorFilter : public QObject
{
public:
    ControlColorFilter(QWidget& control, UINT kind, CWnd& target)
        : QObject(&control), control(control), kind(kind), target(target)
    {
        window.Attach(&control);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            Ask(*static_cast<QWidget*>(watched), static_cast<QPaintEvent&>(*event));
        return false;
    }

private:
    void Ask(QWidget& painted, const QPaintEvent& event)
    {
        const bool editLike = kind == CTLCOLOR_EDIT || kind == CTLCOLOR_LISTBOX;
        const QPalette::ColorRole textRole = editLike ? QPalette::Text : QPalette::WindowText;
        const QPalette::ColorRole backgroundRole = editLike ? QPalette::Base : QPalette::Window;
        const QPalette theme = QApplication::palette(&control);
        CDC dc(ToColorRef(theme.color(textRole)), ToColorRef(theme.color(backgroundRole)));
        ControlColorSource source{&window, kind};
        auto brush = reinterpret_cast<HBRUSH>(target.SendMessage(
            WM_CTLCOLOR, reinterpret_cast<WPARAM>(&dc), reinterpret_cast<LPARAM>(&source)));

        // Without a brush, the opaque background colour is the text's background, which here is
        // the whole control's.
        // Only what the handler changed replaces the theme, so a control left alone keeps all
        // of the theme's colours, its disabled look included.
        QPalette wanted = theme;
        std::optional<QColor> text;
        if (dc.GetTextColor() != ToColorRef(theme.color(textRole)))
            text = ToQColor(dc.GetTextColor());
        std::optional<QColor> background;
        if (brush)
            background = brush->color();
        else if (dc.GetBkMode() == OPAQUE &&
                 dc.GetBkColor() != ToColorRef(theme.color(backgroundRole)))
            background = ToQColor(dc.GetBkColor());
        for (QPalette::ColorGroup group : kGroups) {
            if (text) {
                wanted.setColor(group, QPalette::WindowText, *text);
                wanted.setColor(group, QPalette::Text, *text);
            }
            if (background) {
                wanted.setColor(group, QPalette::Window, *background);
                wanted.setColor(group, QPalette::Base, *background);
            }
        }
        const bool changed = wanted != control.palette();
        if (changed)
            control.setPalette(wanted);
        // The widget filled its background before this paint reached us; fill it again in the
        // colour now set, so that this very paint shows it.
        if (background || changed) {
            const QPalette::ColorGroup state = !control.isEnabled()       ? QPalette::Disabled
                                               : control.isActiveWindow() ? QPalette::Active
                                                                          : QPalette::Inactive;
            QPainter painter(&painted);
            painter.fillRect(event.rect(), wanted.color(state, backgroundRole));
        }
    }

    QWidget& control;
    UINT kind;
    CWnd& target;
    CWnd window; // the asking control as the handler sees it
};

} // namespace

void SendControlColors(QWidget& control, UINT kind, CWnd& target)
{
    auto* filter = new ControlColorFilter(control, kind, target);
    control.installEventFilter(filter);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(&control))
        area->viewport()->installEventFilter(filter);
}
