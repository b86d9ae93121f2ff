// The Qt window of a CDialog: turns keys, the close box and Alt+Space into the dialog's
// messages (IDOK, IDCANCEL, WM_SYSCOMMAND) so that they pass through its message map.
#pragma once

#include <QDialog>

class CDialog;

class CDialogWindow : public QDialog
{
public:
    CDialogWindow(CDialog& owner, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    CDialog& owner;
};
