// SPDX-License-Identifier: GPL-2.0-or-later
// Painting list box lines with their tab characters expanded to the tab stops.
#include "framework/TabStopListWidget.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace {

class TabStopDelegate : public QStyledItemDelegate
{
public:
    TabStopDelegate(TabStopListWidget& list) : QStyledItemDelegate(&list), list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        QString text = item.text;
        item.text.clear();
        const QWidget* widget = item.widget;
        QStyle* style = widget ? widget->style() : nullptr;
        if (style)
            style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
        QTextOption textOption(Qt::AlignLeft | Qt::AlignVCenter);
        textOption.setWrapMode(QTextOption::NoWrap);
        // The default stop of 8 average characters (32 dialog units) when none is set.
        int stop = list.TabStopPixels();
        textOption.setTabStopDistance(stop > 0 ? stop : 8 * option.fontMetrics.averageCharWidth());
        painter->save();
        painter->setPen(item.palette.color(
            item.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(QRectF(item.rect.adjusted(2, 0, -2, 0)), text, textOption);
        painter->restore();
    }

private:
    TabStopListWidget& list;
};

} // namespace

TabStopListWidget::TabStopListWidget(QWidget* parent, DialogBaseUnits baseUnits)
    : QListWidget(parent), baseUnits(baseUnits)
{
    setItemDelegate(new TabStopDelegate(*this));
}

void TabStopListWidget::SetTabStopDialogUnits(int units)
{
    tabStopPixels = DialogUnitsToPixelsX(units, baseUnits);
    viewport()->update();
}
