// SPDX-License-Identifier: GPL-2.0-or-later
// CDialog: building from the template, the modal run, the exchange with its lockout, OK and cancel.
#include "framework/Dialog.h"

#include "framework/ComboBox.h"
#include "framework/DataExchange.h"
#include "framework/DialogBuilder.h"
#include "framework/DialogWindow.h"
#include "framework/ListBox.h"
#include "framework/MessageBox.h"
#include "framework/Text.h"
#include "framework/WinApp.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QRadioButton>
#include <new>
#include <stdexcept>

CDialog::CDialog(int templateId, CWnd* parent) : templateId(templateId), parent(parent)
{}

CDialog::~CDialog()
{
    DestroyWindow();
}

void CDialog::DestroyWindow()
{
    ReleaseWindowResources();
    // Notifications raised while the controls are taken down would reach handlers that find
    // half of them gone; the controls are forgotten first and the rest is held back.
    items.clear();
    itemObjects.clear();
    bool wasLocked = NotificationsLocked();
    SetNotificationsLocked(true);
    window.reset();
    SetNotificationsLocked(wasLocked);
}

const MessageMap& CDialog::GetMessageMap() const
{
    static const MessageRoute routes[] = {
        OnNotify<&CDialog::OnOK>(BN_CLICKED, IDOK),
        OnNotify<&CDialog::OnCancel>(BN_CLICKED, IDCANCEL),
        OnMessage<&CDialog::OnClose>(WM_CLOSE),
    };
    static const MessageMap map{routes, &CWnd::GetMessageMap()};
    return map;
}

bool CDialog::Build()
{
    DestroyWindow();
    auto loaded = LoadDialogTemplate(templateId); // CDialog::Result hides the type name
    if (!loaded) {
        qWarning("dialog template %d: %s", templateId, loaded.Error().c_str());
        return false;
    }
    dialogTemplate = std::move(*loaded);
    window = std::make_unique<CDialogWindow>(*this, OwnerWidget(), dialogTemplate->styles);
    QFont font = DialogFont(dialogTemplate->fontPoints);
    window->setFont(font);
    baseUnits = BaseUnitsOf(font);
    window->setWindowTitle(ToUnicode(dialogTemplate->caption));
    window->resize(DialogUnitsToPixelsX(dialogTemplate->width, baseUnits),
                   DialogUnitsToPixelsY(dialogTemplate->height, baseUnits));
    if (!(dialogTemplate->styles & style::kSizingFrame))
        window->setFixedSize(window->size());
    Attach(window.get());
    items = BuildControls(*dialogTemplate, baseUnits, *window, *this);
    result.reset();
    if (OnInitDialog())
        FocusFirstTabStop();
    return true;
}

QWidget* CDialog::OwnerWidget() const
{
    // A dialog made without a parent is owned by the main window, or else by the active window:
    // it opens over it, and its owner takes no input while it runs modally.
    if (parent)
        return parent->GetSafeHwnd();
    CWnd* mainWindow = AfxGetMainWnd();
    if (mainWindow == this)
        return nullptr;
    return mainWindow ? mainWindow->GetSafeHwnd() : QApplication::activeWindow();
}

bool CDialog::Create()
{
    if (!Build())
        return false;
    if (!result) {
        window->show();
        window->activateWindow();
    }
    return true;
}

int CDialog::DoModal()
{
    if (!Build())
        return -1;
    // Nested event loop until EndDialog: timers, socket readiness, message boxes and the
    // handlers of this dialog all run inside it.
    if (!result)
        window->exec();
    // Control objects of subclasses see the destroyed widgets as null (QPointer).
    DestroyWindow();
    return result.value_or(IDCANCEL);
}

void CDialog::EndDialog(int value)
{
    result = value;
    if (window)
        window->done(value);
}

void CDialog::FocusFirstTabStop()
{
    for (const ControlTemplate& control : dialogTemplate->controls) {
        QWidget* widget = GetDlgItemWidget(control.id);
        if (widget && (control.styles & style::kTabStop) && widget->isEnabled()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

bool CDialog::UpdateData(Direction direction)
{
    // Notifications raised by the exchange's own writes are held back; a nested exchange (from a
    // timer tick while a validation message is open) restores the state it found.
    bool wasLocked = NotificationsLocked();
    SetNotificationsLocked(true);
    CDataExchange dx(items, direction);
    std::optional<std::string> brokenBy;
    try {
        DoDataExchange(dx);
    } catch (const std::bad_alloc&) {
        brokenBy = "Out of memory.";
    } catch (const std::exception& error) {
        brokenBy = error.what();
    }
    if (brokenBy) {
        // Nested event loop: timer ticks and socket events run while the message is shown.
        AfxMessageBox(*brokenBy);
    }
    SetNotificationsLocked(wasLocked);
    return !brokenBy && !dx.Failed();
}

void CDialog::DoDataExchange(CDataExchange&)
{}

bool CDialog::OnInitDialog()
{
    for (const ControlTemplate& control : dialogTemplate->controls) {
        if (control.initialItems.empty())
            continue;
        QWidget* widget = GetDlgItemWidget(control.id);
        if (qobject_cast<QComboBox*>(widget)) {
            CComboBox combo;
            combo.Attach(widget);
            for (const std::string& item : control.initialItems)
                combo.AddString(item);
        } else {
            CListBox list;
            list.Attach(widget);
            for (const std::string& item : control.initialItems)
                list.AddString(item);
        }
    }
    UpdateData(Direction::Load);
    return true;
}

void CDialog::OnOK()
{
    if (!UpdateData(Direction::Save))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::OnClose()
{
    SendMessage(WM_COMMAND, MAKELONG(IDCANCEL, BN_CLICKED), 0);
}

QWidget* CDialog::GetDlgItemWidget(int id) const
{
    auto found = items.find(id);
    return found == items.end() ? nullptr : found->second;
}

CWnd* CDialog::GetDlgItem(int id)
{
    QWidget* widget = GetDlgItemWidget(id);
    if (!widget)
        return nullptr;
    std::unique_ptr<CWnd>& object = itemObjects[id];
    if (!object) {
        object = std::make_unique<CWnd>();
        object->Attach(widget);
    }
    return object.get();
}

void CDialog::CheckRadioButton(int firstId, int lastId, int checkId)
{
    for (const auto& [id, widget] : items) {
        if (id < firstId || id > lastId)
            continue;
        auto* radio = qobject_cast<QRadioButton*>(widget);
        if (!radio)
            continue;
        // An exclusive group refuses to turn its selected button off; the range decides here.
        QButtonGroup* group = radio->group();
        bool exclusive = group && group->exclusive();
        if (exclusive)
            group->setExclusive(false);
        radio->setChecked(id == checkId);
        if (exclusive)
            group->setExclusive(true);
    }
}

int CDialog::GetCheckedRadioButton(int firstId, int lastId) const
{
    for (const auto& [id, widget] : items) {
        auto* radio = qobject_cast<QRadioButton*>(widget);
        if (id >= firstId && id <= lastId && radio && radio->isChecked())
            return id;
    }
    return 0;
}
