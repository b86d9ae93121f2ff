// SPDX-License-Identifier: GPL-2.0-or-later
// CMonitorApp: the program's application object. It starts sockets, runs the monitor dialog as
// the main window until it ends, and then lets the program end; it never enters an event loop
// of its own. A failed sockets start-up is reported in a box and ends the program with exit
// status 1 before any window opens.
#pragma once

#include "app/CommandLine.h"
#include "framework/WinApp.h"

#include <functional>

class CMonitorApp : public CWinApp
{
public:
    // The sockets start-up is a seam: tests give one that fails.
    using SocketStartup = std::function<bool()>;
    explicit CMonitorApp(SocketStartup socketStartup = {});
    ~CMonitorApp() override;

    // Applied to the monitor dialog before it shows.
    MonitorCommandLine commandLine;

    bool InitInstance() override;

protected:
    const MessageMap& GetMessageMap() const override;

private:
    SocketStartup socketStartup;
};
