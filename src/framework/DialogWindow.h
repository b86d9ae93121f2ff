// SPDX-License-Identifier: GPL-2.0-or-later
// The Qt window of a CDialog: its frame from the template's window styles; turns keys, the
// close box, Alt+Space and painting into the dialog's messages (IDOK, IDCANCEL, ID_HELP,
// WM_SYSCOMMAND, WM_PAINT) so that they pass through its message map.
#pragma once

#include <QDialog>
#include <cstdint>

class CDialog;

class CDialogWindow : public QDialog
{
public:
    // `styles` are the template's window styles (style::kCaption, ...).
    CDialogWindow(CDialog& owner, QWidget* parent, std::uint32_t styles);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    CDialog& owner;
};
