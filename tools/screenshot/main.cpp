// tallyhawk-screenshot OUT.png: renders the monitor dialog as it stands at start on the current
// platform (offscreen by default) and saves the picture. For the README and layout reviews.
#include "ui/MonitorDlg.h"

#include <QApplication>
#include <QPixmap>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tallyhawk-screenshot OUT.png\n");
        return 2;
    }
    CMonitorDlg dialog;
    if (!dialog.Create())
        return 1;
    QApplication::processEvents();
    QPixmap picture = dialog.GetSafeHwnd()->grab();
    if (!picture.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "tallyhawk-screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
