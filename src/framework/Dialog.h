// SPDX-License-Identifier: GPL-2.0-or-later
// CDialog: a dialog built from a template in the program's resources. DoModal runs it in a
// nested event loop until EndDialog: the OK path (IDOK, Enter) saves with validation and ends
// only on success; the cancel path (Escape, the close box) ends it without an exchange.
// The dialog owns its window; control objects of subclasses only point into it.
#pragma once

#include "framework/DataExchange.h"
#include "framework/DialogTemplate.h"
#include "framework/DialogUnits.h"
#include "framework/Wnd.h"

#include <map>
#include <memory>
#include <optional>

class CDialogWindow;

class CDialog : public CWnd
{
public:
    explicit CDialog(int templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Builds the window, runs OnInitDialog and the nested event loop until EndDialog; destroys
    // the window and returns the value given to EndDialog, or -1 if the template is missing.
    int DoModal();
    // Builds, initialises and shows the dialog without a loop of its own (tests, benchmarks);
    // false if the template is missing.
    bool Create();
    void EndDialog(int result);
    // The value given to EndDialog, while the dialog object lives.
    std::optional<int> Result() const { return result; }

    // Runs DoDataExchange in one direction with control notifications held back; false when a
    // validation failed (its message already shown) or another error broke the exchange off.
    bool UpdateData(Direction direction);

    QWidget* GetDlgItemWidget(int id) const;
    CWnd* GetDlgItem(int id);
    void CheckRadioButton(int firstId, int lastId, int checkId);
    int GetCheckedRadioButton(int firstId, int lastId) const; // 0 when none is on
    DialogBaseUnits BaseUnits() const { return baseUnits; }
    const DialogTemplate* Template() const { return dialogTemplate ? &*dialogTemplate : nullptr; }

protected:
    virtual void DoDataExchange(CDataExchange& dx);
    // Fills the lists of the template's initialisation data and loads the members into the
    // controls; true puts the focus on the first control with a tab stop.
    virtual bool OnInitDialog();
    // The IDOK and IDCANCEL commands, taken by the message map.
    void OnOK();
    void OnCancel();
    void OnClose();

    const MessageMap& GetMessageMap() const override;

private:
    bool Build();
    QWidget* OwnerWidget() const;
    void DestroyWindow();
    void FocusFirstTabStop();

    int templateId;
    CWnd* parent;
    std::optional<DialogTemplate> dialogTemplate;
    DialogBaseUnits baseUnits;
    std::unique_ptr<CDialogWindow> window;
    std::map<int, QWidget*> items;
    std::map<int, std::unique_ptr<CWnd>> itemObjects;
    std::optional<int> result;
};
