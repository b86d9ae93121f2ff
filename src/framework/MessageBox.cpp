// Message boxes over QMessageBox, the test hook, and the application title.
#include "framework/MessageBox.h"

#include "framework/Text.h"
#include "framework/WinApp.h"
#include "framework/WindowMessages.h"
#include "framework/Wnd.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace {

MessageBoxHook& Hook()
{
    static MessageBoxHook hook;
    return hook;
}

} // namespace

void SetMessageBoxHook(MessageBoxHook hook)
{
    Hook() = std::move(hook);
}

std::string AfxGetAppName()
{
    if (CWinApp* app = AfxGetApp(); app && !app->appName.empty())
        return app->appName;
    return ToBytes(TitleFromProgramPath(QCoreApplication::applicationFilePath()));
}

namespace {

// The active window; while another application is active, the topmost modal window of ours
// (the About box over the main window, or the main window itself), else the main window.
QWidget* MessageBoxOwner()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    CWnd* mainWindow = AfxGetMainWnd();
    return mainWindow ? mainWindow->GetSafeHwnd() : nullptr;
}

} // namespace

int AfxMessageBox(const std::string& text, UINT)
{
    // Every box of the program asks for no icon or the exclamation: both show the exclamation.
    return ShowMessageBox(MessageBoxOwner(), text, AfxGetAppName(), MessageBoxIcon::Exclamation);
}

int ShowMessageBox(QWidget* owner, const std::string& text, const std::string& caption,
                   MessageBoxIcon icon)
{
    QMessageBox box(icon == MessageBoxIcon::Exclamation ? QMessageBox::Warning
                                                        : QMessageBox::NoIcon,
                    ToUnicode(caption), ToUnicode(text), QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    if (Hook()) {
        // Copy the hook: it may be replaced while this box's loop runs.
        MessageBoxHook hook = Hook();
        std::chrono::milliseconds keepOpen = hook({text, caption, icon, owner});
        QTimer::singleShot(keepOpen, &box, [&box] { box.done(QMessageBox::Ok); });
    }
    // Nested event loop: timer ticks, socket events and further boxes run until this one closes.
    box.exec();
    return IDOK;
}
