// SPDX-License-Identifier: GPL-2.0-or-later
// Keys, the close box and Alt+Space of a dialog window, turned into the dialog's messages.
#include "framework/DialogWindow.h"

#include "framework/Dialog.h"
#include "framework/WinApp.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>

namespace {

Qt::WindowFlags FlagsFor(std::uint32_t styles, bool owned)
{
    using namespace style;
    // An owned window without the application-window style is a dialog over its owner (no
    // task-bar entry of its own); the main window is a window of its own.
    Qt::WindowFlags flags = (owned && !(styles & kApplicationWindow)) ? Qt::Dialog : Qt::Window;
    flags |= Qt::CustomizeWindowHint;
    if (styles & kCaption)
        flags |= Qt::WindowTitleHint;
    if (styles & kSystemMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (styles & kMinimizeBox)
        flags |= Qt::WindowMinimizeButtonHint;
    if (styles & kMaximizeBox)
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

} // namespace

CDialogWindow::CDialogWindow(CDialog& owner, QWidget* parent, std::uint32_t styles)
    : QDialog(parent), owner(owner)
{
    setWindowFlags(FlagsFor(styles, parent != nullptr));
    auto* systemMenuKey = new QShortcut(QKeySequence(Qt::AltModifier | Qt::Key_Space), this);
    connect(systemMenuKey, &QShortcut::activated, this, [this] { this->owner.ShowSystemMenu(); });
}

void CDialogWindow::keyPressEvent(QKeyEvent* event)
{
    // A focused push button takes Enter itself; here Enter reaches the dialog from any other
    // control and goes to its default command, like Escape goes to the cancel command.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() & ~Qt::KeypadModifier)
            break;
        owner.SendMessage(WM_COMMAND, MAKELONG(IDOK, BN_CLICKED), 0);
        return;
    case Qt::Key_Escape:
        owner.SendMessage(WM_COMMAND, MAKELONG(IDCANCEL, BN_CLICKED), 0);
        return;
    case Qt::Key_F1:
        if (event->modifiers() != Qt::NoModifier)
            break;
        owner.SendMessage(WM_COMMAND, ID_HELP, 0);
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void CDialogWindow::paintEvent(QPaintEvent*)
{
    // The background is already erased; a paint context opened by the handler draws on top.
    owner.SendMessage(WM_PAINT, 0, 0);
}

void CDialogWindow::closeEvent(QCloseEvent* event)
{
    // The close box is a system command; the window closes only if the dialog ends.
    event->ignore();
    owner.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
}
