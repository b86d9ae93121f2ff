// tallyhawk: the window. The command line is read before any window exists; the application
// object then runs the monitor dialog until it ends.
#include "app/MonitorApp.h"

#include <cstdio>

namespace {

CMonitorApp theApp;

} // namespace

int main(int argc, char** argv)
{
    CommandLineResult commandLine =
        ParseMonitorCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (commandLine.exitStatus) {
        std::fputs(commandLine.output.c_str(), *commandLine.exitStatus == 0 ? stdout : stderr);
        return *commandLine.exitStatus;
    }
    theApp.commandLine = commandLine.options;
    return AfxWinMain(argc, argv);
}
