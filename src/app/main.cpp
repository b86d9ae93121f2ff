// tallyhawk: runs the monitor dialog until the user quits. The application shell (sockets start-up,
// About box) joins this with the shell.
#include "ui/MonitorDlg.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    CMonitorDlg dialog;
    dialog.DoModal();
    return 0;
}
