// Keys, the close box and Alt+Space of a dialog window, turned into the dialog's messages.
#include "framework/DialogWindow.h"

#include "framework/Dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>

CDialogWindow::CDialogWindow(CDialog& owner, QWidget* parent) : QDialog(parent), owner(owner)
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
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
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void CDialogWindow::closeEvent(QCloseEvent* event)
{
    // The close box is a system command; the window closes only if the dialog ends.
    event->ignore();
    owner.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
}
