// SPDX-License-Identifier: GPL-2.0-or-later
// Caption statics found by layout, and the two accessible interfaces Qt's own do not cover: an
// editable combo box named by its caption, and a value static read with its caption.
#include "framework/AccessibleLabels.h"

#include "framework/ComboBoxWidget.h"
#include "framework/ValueLabel.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <climits>

namespace {

// Qt names an editable combo box on Linux by its text and leaves the caption to the label
// relation, so the port would be heard as "27000". This one is named like the other controls
// (accessible name, else its caption) and otherwise behaves as Qt's.
class ComboBoxAccessible : public QAccessibleWidget
{
public:
    explicit ComboBoxAccessible(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox)
    {}

    // Children as Qt's: the popup list, then the line edit of an editable box.
    int childCount() const override { return Combo()->isEditable() ? 2 : 1; }

    QAccessibleInterface* child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(Combo()->view());
        if (index == 1 && Combo()->isEditable())
            return QAccessible::queryAccessibleInterface(Combo()->lineEdit());
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (child->object() == Combo()->view())
            return 0;
        if (Combo()->isEditable() && child->object() == Combo()->lineEdit())
            return 1;
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        if (!Combo()->isEditable())
            return nullptr;
        const QLineEdit* edit = Combo()->lineEdit();
        return QRect(edit->mapToGlobal(QPoint(0, 0)), edit->size()).contains(x, y) ? child(1)
                                                                                   : nullptr;
    }

    // The box keeps the keyboard focus for its line edit, which is where typing goes.
    QAccessibleInterface* focusChild() const override
    {
        return Combo()->isEditable() ? child(1) : nullptr;
    }

    QString text(QAccessible::Text type) const override
    {
        QString value =
            Combo()->isEditable() ? Combo()->lineEdit()->text() : Combo()->currentText();
        if (type == QAccessible::Value)
            return value;
        QString text = QAccessibleWidget::text(type);
        // Without a name of its own it is heard by its text, as Qt has it.
        return type == QAccessible::Name && text.isEmpty() ? value : text;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = Combo()->view()->isVisible();
        state.editable = Combo()->isEditable();
        return state;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }

    QString localizedActionDescription(const QString& action) const override
    {
        return actionNames().contains(action) ? QComboBox::tr("Open the combo box selection popup")
                                              : QString();
    }

    void doAction(const QString& action) override
    {
        if (!actionNames().contains(action))
            return;
        if (Combo()->view()->isVisible())
            Combo()->hidePopup();
        else
            Combo()->showPopup();
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QComboBox* Combo() const { return static_cast<QComboBox*>(widget()); }
};

// "Total Frags:" and "150" are heard as "Total Frags: 150", "Skin" and "red" as "Skin: red".
QString CaptionAndValue(const QString& caption, const QString& value)
{
    QString trimmed = caption.trimmed();
    if (trimmed.isEmpty() || value.isEmpty())
        return trimmed.isEmpty() ? value : trimmed;
    return trimmed + (trimmed.endsWith(u':') ? QStringLiteral(" ") : QStringLiteral(": ")) + value;
}

// A value static read with its caption. The name is made when it is asked for, so it follows
// every change of either text without a hook in each place that writes one.
class ValueStaticAccessible : public QAccessibleWidget
{
public:
    explicit ValueStaticAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {}

    QString text(QAccessible::Text type) const override
    {
        // The widget's name is its accessible name, else the text of the label it is buddy of.
        QString caption = QAccessibleWidget::text(type);
        if (type != QAccessible::Name)
            return caption;
        return CaptionAndValue(caption, static_cast<const QLabel*>(widget())->text());
    }
};

QAccessibleInterface* FrameworkAccessibleFactory(const QString&, QObject* object)
{
    if (auto* combo = dynamic_cast<ComboBoxWidget*>(object))
        return new ComboBoxAccessible(combo);
    if (auto* value = dynamic_cast<ValueLabel*>(object))
        return new ValueStaticAccessible(value);
    return nullptr;
}

bool NeedsCaption(const ControlTemplate& control)
{
    switch (control.kind) {
    case ControlKind::Edit:
    case ControlKind::ComboBox:
    case ControlKind::ListBox:
    case ControlKind::ListView:
        return true;
    case ControlKind::StaticText:
        return control.styles & style::kSunken;
    default:
        return false;
    }
}

bool IsCaption(const ControlTemplate& control)
{
    return control.kind == ControlKind::StaticText && !(control.styles & style::kSunken);
}

bool Overlap(int firstStart, int firstEnd, int secondStart, int secondEnd)
{
    return firstStart < secondEnd && secondStart < firstEnd;
}

// The innermost group box around `rect`, null for none. A caption outside a frame does not name
// a control inside it: "Host" above the frame is not the player list's caption.
const QWidget* FrameAround(const QRect& rect, const std::vector<BuiltControl>& controls)
{
    const QWidget* frame = nullptr;
    for (const BuiltControl& built : controls) {
        const QRect frameRect = built.widget->geometry();
        if (built.control->kind == ControlKind::GroupBox && frameRect.contains(rect) &&
            (!frame || frame->geometry().contains(frameRect)))
            frame = built.widget;
    }
    return frame;
}

QLabel* CaptionByLayout(const QWidget& target, const std::vector<BuiltControl>& controls)
{
    const QRect to = target.geometry();
    const QWidget* frame = FrameAround(to, controls);
    QLabel* left = nullptr;
    QLabel* above = nullptr;
    int leftEdge = INT_MIN;
    int aboveEdge = INT_MIN;
    for (const BuiltControl& candidate : controls) {
        auto* label = qobject_cast<QLabel*>(candidate.widget);
        const QRect from = candidate.widget->geometry();
        if (!label || !IsCaption(*candidate.control) || FrameAround(from, controls) != frame)
            continue;
        const int right = from.x() + from.width();
        const int bottom = from.y() + from.height();
        if (right <= to.x() && right > leftEdge &&
            Overlap(from.y(), bottom, to.y(), to.y() + to.height())) {
            left = label;
            leftEdge = right;
        } else if (bottom <= to.y() && bottom > aboveEdge &&
                   Overlap(from.x(), right, to.x(), to.x() + to.width())) {
            above = label;
            aboveEdge = bottom;
        }
    }
    return left ? left : above;
}

} // namespace

void InstallAccessibleInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(&FrameworkAccessibleFactory);
        return true;
    }();
    (void)installed;
}

void LabelControlsByLayout(const std::vector<BuiltControl>& controls)
{
    for (const BuiltControl& target : controls) {
        if (!NeedsCaption(*target.control) || !target.widget->accessibleName().isEmpty())
            continue;
        QLabel* caption = CaptionByLayout(*target.widget, controls);
        if (!caption || caption->buddy())
            continue;
        caption->setBuddy(target.widget);
        if (target.control->kind == ControlKind::ListBox ||
            target.control->kind == ControlKind::ListView)
            target.widget->setAccessibleName(caption->text());
    }
}
