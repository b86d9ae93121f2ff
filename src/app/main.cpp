// SPDX-License-Identifier: GPL-2.0-or-later
// tallyhawk: the window. Our part of the command line is read before any window exists, so that
// --help needs no display; QApplication then takes Qt's options out of the same argv, and the
// application object runs the monitor dialog until it ends.
#include "app/MonitorApp.h"

#include <cstdio>

namespace {

CMonitorApp theApp;

} // namespace

int main(int argc, char** argv)
{
    Result<MonitorCommandLine, CommandLineExit> commandLine =
        ParseMonitorCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!commandLine) {
        const CommandLineExit& exit = commandLine.Error();
        std::fputs(exit.output.c_str(), exit.status == 0 ? stdout : stderr);
        return exit.status;
    }
    theApp.commandLine = *commandLine;
    return AfxWinMain(argc, argv);
}
