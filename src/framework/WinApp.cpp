// SPDX-License-Identifier: GPL-2.0-or-later
// The application object: its registration, start-up, command routing, help handler, and the
// application's rules for message boxes (caption and owner).
#include "framework/WinApp.h"

#include "framework/MessageBox.h"
#include "framework/Resources.h"
#include "framework/Text.h"
#include "framework/Wnd.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {

CWinApp* currentApp = nullptr;

DocumentViewer& Viewer()
{
    static DocumentViewer viewer;
    return viewer;
}

bool OpenDocument(const QString& path)
{
    if (Viewer())
        return Viewer()(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool FileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// The file name up to its last dot; a leading dot starts the name, not an extension.
QString Stem(const QString& fileName)
{
    qsizetype dot = fileName.lastIndexOf(u'.');
    return dot > 0 ? fileName.left(dot) : fileName;
}

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

CWinApp::CWinApp()
{
    currentApp = this;
}

CWinApp::~CWinApp()
{
    if (currentApp == this)
        currentApp = nullptr;
}

int CWinApp::Run()
{
    QString programPath = QCoreApplication::applicationFilePath();
    appName = AfxLoadString(AFX_IDS_APP_TITLE);
    if (appName.empty())
        appName = ToBytes(TitleFromProgramPath(programPath));
    helpFilePath = HelpFilePathFor(programPath);
    if (InitInstance())
        QApplication::exec();
    return exitCode;
}

bool CWinApp::InitInstance()
{
    return false;
}

LRESULT CWinApp::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    RouteMessage(GetMessageMap(), *this, message, wParam, lParam, &result);
    return result;
}

const MessageMap& CWinApp::GetMessageMap() const
{
    // A program routes ID_HELP to OnHelp in its own map when it wants help.
    static const MessageMap map{{}, nullptr};
    return map;
}

void CWinApp::OnHelp()
{
    QString text;
    if (FileExists(helpFilePath)) {
        if (OpenDocument(helpFilePath))
            return;
        text = QStringLiteral("No viewer could open the help file %1.").arg(helpFilePath);
    } else if (FileExists(userGuidePath)) {
        if (OpenDocument(userGuidePath))
            return;
        text = QStringLiteral("No viewer could open the user guide %1.").arg(userGuidePath);
    } else if (userGuidePath.isEmpty()) {
        text = QStringLiteral("The help file %1 was not found.").arg(helpFilePath);
    } else {
        text = QStringLiteral("The help file %1 was not found, nor the user guide %2.")
                   .arg(helpFilePath, userGuidePath);
    }
    // Nested event loop: timer ticks and socket events go on while the box is open.
    AfxMessageBox(ToBytes(text));
}

CWinApp* AfxGetApp()
{
    return currentApp;
}

CWnd* AfxGetMainWnd()
{
    return currentApp ? currentApp->mainWnd : nullptr;
}

std::string AfxGetAppName()
{
    if (currentApp && !currentApp->appName.empty())
        return currentApp->appName;
    return ToBytes(TitleFromProgramPath(QCoreApplication::applicationFilePath()));
}

int AfxMessageBox(const std::string& text, UINT type)
{
    // Nested event loop: timer ticks and socket events go on while the box is open.
    return ShowMessageBox(MessageBoxOwner(), text, AfxGetAppName(), type);
}

int AfxWinMain(int argc, char** argv)
{
    QApplication application(argc, argv);
    // The program's life is its modal dialogs: closing the last one must not stop the event
    // loops that are still unwinding (a box shown as the dialog ends, the dialog's own loop).
    QApplication::setQuitOnLastWindowClosed(false);
    CWinApp* app = AfxGetApp();
    return app ? app->Run() : 1;
}

QString TitleFromProgramPath(const QString& programPath)
{
    return Stem(QFileInfo(programPath).fileName());
}

QString HelpFilePathFor(const QString& programPath)
{
    qsizetype slash = programPath.lastIndexOf(u'/');
    return programPath.left(slash + 1) + Stem(programPath.mid(slash + 1)) + QStringLiteral(".HLP");
}

void SetDocumentViewer(DocumentViewer viewer)
{
    Viewer() = std::move(viewer);
}
