// SPDX-License-Identifier: GPL-2.0-or-later
// Template controls to Qt widgets, and Qt signals and focus events to WM_COMMAND notifications.
#include "framework/DialogBuilder.h"

#include "framework/AccessibleLabels.h"
#include "framework/ComboBoxWidget.h"
#include "framework/ControlColors.h"
#include "framework/ControlId.h"
#include "framework/Gdi.h"
#include "framework/LimitedLineEdit.h"
#include "framework/ListViewWidget.h"
#include "framework/Resources.h"
#include "framework/TabStopListWidget.h"
#include "framework/Text.h"
#include "framework/ValueLabel.h"
#include "framework/Wnd.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <optional>

namespace {

void Notify(CWnd& target, QWidget* control, UINT code)
{
    int id = ControlIdOf(*control).value_or(IDC_STATIC);
    target.SendMessage(WM_COMMAND, MAKELONG(static_cast<std::uint16_t>(id), code),
                       reinterpret_cast<LPARAM>(control));
}

// Edit focus changes become EN_SETFOCUS and EN_KILLFOCUS. A popup (such as the edit's own
// context menu) does not take the focus away, as on the native platform.
class EditFocusFilter : public QObject
{
public:
    EditFocusFilter(CWnd& target, QObject* parent) : QObject(parent), target(target) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto type = event->type();
        if ((type == QEvent::FocusIn || type == QEvent::FocusOut) &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            Notify(target, static_cast<QWidget*>(watched),
                   type == QEvent::FocusIn ? EN_SETFOCUS : EN_KILLFOCUS);
        }
        return false;
    }

private:
    CWnd& target;
};

// A list asked for its context menu (a right click, the Menu key or Shift+F10) sends the dialog
// WM_CONTEXTMENU with the point on the screen where the menu belongs: under the mouse, or from
// the keyboard under the current row.
void ForwardContextMenu(CWnd& target, QAbstractItemView* list)
{
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(list, &QWidget::customContextMenuRequested, list,
                     [&target, list](const QPoint& viewportPosition) {
                         const QPoint global = list->viewport()->mapToGlobal(viewportPosition);
                         const int id = ControlIdOf(*list).value_or(IDC_STATIC);
                         target.SendMessage(WM_CONTEXTMENU, static_cast<WPARAM>(id),
                                            reinterpret_cast<LPARAM>(&global));
                     });
    auto* keyboardRequest = new QShortcut(QKeySequence(Qt::ShiftModifier | Qt::Key_F10), list);
    keyboardRequest->setContext(Qt::WidgetShortcut);
    QObject::connect(keyboardRequest, &QShortcut::activated, list, [list] {
        const QRect row = list->visualRect(list->currentIndex());
        emit list->customContextMenuRequested(row.isValid() ? row.bottomLeft() : QPoint(0, 0));
    });
}

// Automatic radio buttons: a click turns the button on and the others of its group off.
void ClickAutoRadio(QRadioButton* clicked)
{
    clicked->setChecked(true);
    if (QButtonGroup* group = clicked->group()) {
        for (QAbstractButton* other : group->buttons()) {
            if (other != clicked)
                other->setChecked(false);
        }
    }
}

QWidget* MakeWidget(const ControlTemplate& control, DialogBaseUnits base, QWidget& window,
                    CWnd& target, EditFocusFilter* focusFilter)
{
    using namespace style;
    switch (control.kind) {
    case ControlKind::Edit: {
        auto* edit = new LimitedLineEdit(&window);
        edit->setFrame(control.styles & kBorder);
        QObject::connect(edit, &QLineEdit::textChanged, edit,
                         [&target, edit] { Notify(target, edit, EN_CHANGE); });
        edit->installEventFilter(focusFilter);
        return edit;
    }
    case ControlKind::ComboBox: {
        auto* combo = new ComboBoxWidget(&window, control.styles & kSort);
        combo->setEditable(control.styles & kDropDown);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
        return combo;
    }
    case ControlKind::PushButton: {
        auto* button = new QPushButton(ToUnicode(control.caption), &window);
        button->setAutoDefault(true);
        button->setDefault((control.styles & kDefaultPushButton) && control.id == IDOK);
        QObject::connect(button, &QPushButton::clicked, button,
                         [&target, button] { Notify(target, button, BN_CLICKED); });
        return button;
    }
    case ControlKind::RadioButton: {
        auto* radio = new QRadioButton(ToUnicode(control.caption), &window);
        // Exclusive within its template group (see BuildControls); auto-exclusive too, so that
        // arrow keys move and select within the group and it is announced as a radio button.
        radio->setAutoExclusive(true);
        bool automatic = control.styles & kAutoRadioButton;
        QObject::connect(radio, &QRadioButton::clicked, radio, [&target, radio, automatic] {
            if (automatic)
                ClickAutoRadio(radio);
            Notify(target, radio, BN_CLICKED);
        });
        return radio;
    }
    case ControlKind::CheckBox: {
        auto* check = new QCheckBox(ToUnicode(control.caption), &window);
        QObject::connect(check, &QCheckBox::clicked, check,
                         [&target, check] { Notify(target, check, BN_CLICKED); });
        return check;
    }
    case ControlKind::StaticText: {
        auto* label = (control.styles & kSunken) ? new ValueLabel(&window) : new QLabel(&window);
        label->setTextFormat(Qt::PlainText);
        label->setText(ToUnicode(control.caption));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(!(control.styles & kLeftNoWordWrap));
        if (control.styles & kSunken)
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return label;
    }
    case ControlKind::GroupBox: {
        // A group box only frames its neighbours: clicks where it overlaps a control (the
        // monitor dialog's host and port reach into its "Match Info" frame) go to the control.
        auto* groupBox = new QGroupBox(ToUnicode(control.caption), &window);
        groupBox->setAttribute(Qt::WA_TransparentForMouseEvents);
        return groupBox;
    }
    case ControlKind::StaticIcon: {
        auto* label = new QLabel(&window);
        if (HICON icon = AfxLoadIcon(static_cast<UINT>(control.iconId)))
            label->setPixmap(icon->pixmap(kStandardIconPixels, kStandardIconPixels));
        return label;
    }
    case ControlKind::ListBox: {
        auto* list = new TabStopListWidget(&window, base);
        list->setFrameShape(control.styles & kBorder ? QFrame::StyledPanel : QFrame::NoFrame);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        ForwardContextMenu(target, list);
        return list;
    }
    case ControlKind::ListView: {
        auto* view = new ListViewWidget(&window);
        view->setSelectionMode((control.styles & kSingleSelection)
                                   ? QAbstractItemView::SingleSelection
                                   : QAbstractItemView::ExtendedSelection);
        ForwardContextMenu(target, view);
        return view;
    }
    }
    return nullptr;
}

// The kind a control names in the control-colour message; the list view sends none, as natively.
std::optional<UINT> ControlColorKind(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Edit:
    case ControlKind::ComboBox:
        return CTLCOLOR_EDIT;
    case ControlKind::ListBox:
        return CTLCOLOR_LISTBOX;
    case ControlKind::PushButton:
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
        return CTLCOLOR_BTN;
    case ControlKind::StaticText:
    case ControlKind::GroupBox:
    case ControlKind::StaticIcon:
        return CTLCOLOR_STATIC;
    case ControlKind::ListView:
        return std::nullopt;
    }
    return std::nullopt;
}

Qt::FocusPolicy FocusPolicyFor(const ControlTemplate& control)
{
    switch (control.kind) {
    case ControlKind::StaticText:
    case ControlKind::GroupBox:
    case ControlKind::StaticIcon:
        return Qt::NoFocus;
    default:
        return (control.styles & style::kTabStop) ? Qt::StrongFocus : Qt::ClickFocus;
    }
}

QRect PixelRect(const ControlTemplate& control, DialogBaseUnits base, QWidget* widget)
{
    QRect rect(DialogUnitsToPixelsX(control.x, base), DialogUnitsToPixelsY(control.y, base),
               DialogUnitsToPixelsX(control.width, base),
               DialogUnitsToPixelsY(control.height, base));
    if (control.kind == ControlKind::StaticIcon) {
        // An icon control takes the icon's size, whatever the template says.
        rect.setSize(QSize(kStandardIconPixels, kStandardIconPixels));
    } else if (control.kind == ControlKind::ComboBox) {
        // The template's height includes the dropped list; the closed box is one line high.
        rect.setHeight(std::min(rect.height(), widget->sizeHint().height()));
    }
    return rect;
}

} // namespace

std::map<int, QWidget*> BuildControls(const DialogTemplate& dialogTemplate, DialogBaseUnits base,
                                      QWidget& window, CWnd& notifyTarget)
{
    InstallAccessibleInterfaces();
    auto* focusFilter = new EditFocusFilter(notifyTarget, &window);
    std::map<int, QWidget*> items;
    std::vector<BuiltControl> built;
    // A template group's radio buttons share one button group.
    QButtonGroup* buttonGroup = nullptr;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        if (control.styles & style::kGroup)
            buttonGroup = nullptr;
        QWidget* widget = MakeWidget(control, base, window, notifyTarget, focusFilter);
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            if (!buttonGroup) {
                buttonGroup = new QButtonGroup(&window);
                // Tab reaches a radio group at its selected button, the arrow keys go on from
                // there; the others are not tab stops.
                QObject::connect(buttonGroup, &QButtonGroup::buttonToggled,
                                 [](QAbstractButton* button, bool checked) {
                                     button->setFocusPolicy(checked ? Qt::StrongFocus
                                                                    : Qt::ClickFocus);
                                 });
            }
            buttonGroup->addButton(radio);
        }
        if (std::optional<UINT> kind = ControlColorKind(control.kind))
            SendControlColors(*widget, *kind, notifyTarget);
        SetControlId(*widget, control.id);
        widget->setFocusPolicy(FocusPolicyFor(control));
        widget->setGeometry(PixelRect(control, base, widget));
        widget->setEnabled(!(control.styles & style::kDisabled));
        if (!control.toolTip.empty()) {
            widget->setToolTip(ToUnicode(control.toolTip));
            widget->setAccessibleName(ToUnicode(control.toolTip));
        }
        if (!control.accessibleName.empty())
            widget->setAccessibleName(ToUnicode(control.accessibleName));
        if (control.id != IDC_STATIC)
            items.emplace(control.id, widget);
        built.push_back({&control, widget});
    }
    LabelControlsByLayout(built);
    return items;
}
