// SPDX-License-Identifier: GPL-2.0-or-later
// CWinApp: the application object. Exactly one lives at a time, normally a global made before
// main runs. Run completes it (title, help file), calls InitInstance and returns exitCode as the
// program's exit status. It also owns the message boxes' application rules: the title as caption
// and which window owns AfxMessageBox's box (MessageBox.h shows the boxes). GUI thread only.
#pragma once

#include "framework/MessageMap.h"

#include <QString>
#include <functional>
#include <string>

class CWnd;

inline constexpr UINT AFX_IDS_APP_TITLE = 57344; // the program's title string, if it has one
inline constexpr int ID_HELP = 57670;            // the framework's Help command (F1)

class CWinApp : public CMessageTarget
{
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Needs the Qt application. Derives the title and the help file, runs InitInstance, enters
    // the application's own event loop only if it returned true, and returns exitCode.
    int Run();

    // Once per Run. A program whose whole life is a modal dialog returns false.
    virtual bool InitInstance();

    // Commands that no window took (WM_COMMAND without a control), through the message map.
    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The standard help handler: opens helpFilePath, or else userGuidePath, with the desktop's
    // viewer; when neither exists, says in a box which files were looked for. Never fails.
    void OnHelp();

    std::string appName;     // every message box's caption
    QString helpFilePath;    // the program file's path with the extension ".HLP"
    QString userGuidePath;   // the installed user guide; empty when the program has none
    CWnd* mainWnd = nullptr; // owner of boxes raised while no window of ours is active
    int exitCode = 0;

protected:
    virtual const MessageMap& GetMessageMap() const;
};

// The living application object, or null (tests that make none).
CWinApp* AfxGetApp();
// Its main window, or null.
CWnd* AfxGetMainWnd();
// The application title, every box's default caption: the application object's, or else the
// program file's name without directory and extension.
std::string AfxGetAppName();

// Makes the Qt application and runs the application object; returns the exit status.
int AfxWinMain(int argc, char** argv);

// The program file's name without directory and extension: "/usr/bin/abc.exe" gives "abc".
QString TitleFromProgramPath(const QString& programPath);
// The program file's path with its extension replaced by ".HLP", appended when there is none.
QString HelpFilePathFor(const QString& programPath);

// Opens a document with the desktop's viewer; false when it could not be started. Tests
// replace it (an empty viewer gives back the desktop's).
using DocumentViewer = std::function<bool(const QString& path)>;
void SetDocumentViewer(DocumentViewer viewer);
