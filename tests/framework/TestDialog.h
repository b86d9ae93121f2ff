// SPDX-License-Identifier: GPL-2.0-or-later
// The framework tests' dialog (template 900): one control of each kind, an exchange with every
// kind of step, and a message map that records what reaches its handlers.
#pragma once

#include "ShownDialogFixture.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/ListBox.h"
#include "framework/ListCtrl.h"

#include <functional>
#include <new>
#include <vector>

inline constexpr int kNumberEdit = 10;
inline constexpr int kTextEdit = 11;
inline constexpr int kCombo = 12;
inline constexpr int kValueField = 13;
inline constexpr int kLaterEdit = 14;
inline constexpr int kRadioOne = 15;
inline constexpr int kRadioTwo = 16;
inline constexpr int kRadioThree = 17;
inline constexpr int kList = 18;
inline constexpr int kListView = 19;
inline constexpr int kPushButton = 20;
inline constexpr UINT WM_TEST_ADD = WM_USER + 5; // returns wParam + lParam

class CTestDialog : public CDialog
{
public:
    CTestDialog() : CDialog(900) {}

    std::int32_t number = 15;
    std::string text = "start";
    std::string comboText = "27500";
    std::string valueText;
    std::string laterText = "later";
    CListBox list;
    CListCtrl listView;

    std::vector<std::string> notifications; // "change 11", "setfocus 14", "click 20", ...
    std::vector<UINT> systemCommands;
    std::function<void(UINT id)> onTimer;
    bool exhaustMemoryInExchange = false;
    std::function<void()> onKillFocusLater;
    // Asked for every control-colour message after the default handling; null keeps its result.
    std::function<HBRUSH(CDC* dc, CWnd* control, UINT kind)> onControlColor;

    using CDialog::GetMessageMap;

protected:
    void DoDataExchange(CDataExchange& dx) override
    {
        ExchangeControl(dx, kList, list);
        ExchangeControl(dx, kListView, listView);
        ExchangeText(dx, kNumberEdit, number);
        ValidateRange(dx, number, 5, 1200);
        ExchangeText(dx, kTextEdit, text);
        ValidateMaxChars(dx, text, 15);
        ExchangeComboText(dx, kCombo, comboText);
        ExchangeText(dx, kValueField, valueText);
        if (exhaustMemoryInExchange)
            throw std::bad_alloc();
        ExchangeText(dx, kLaterEdit, laterText);
    }

    const MessageMap& GetMessageMap() const override
    {
        static const MessageRoute routes[] = {
            OnNotify<&CTestDialog::OnChangeText>(EN_CHANGE, kTextEdit),
            OnNotify<&CTestDialog::OnSetFocusLater>(EN_SETFOCUS, kLaterEdit),
            OnNotify<&CTestDialog::OnKillFocusLater>(EN_KILLFOCUS, kLaterEdit),
            OnNotify<&CTestDialog::OnPush>(BN_CLICKED, kPushButton),
            OnNotify<&CTestDialog::OnRadioTwo>(BN_CLICKED, kRadioTwo),
            OnMessage<&CTestDialog::OnTimer>(WM_TIMER),
            OnMessage<&CTestDialog::OnAdd>(WM_TEST_ADD),
            OnMessage<&CTestDialog::OnSysCommand>(WM_SYSCOMMAND),
            OnMessage<&CTestDialog::OnControlColor>(WM_CTLCOLOR),
        };
        static const MessageMap map{routes, &CDialog::GetMessageMap()};
        return map;
    }

private:
    void OnChangeText() { notifications.push_back("change 11"); }
    void OnSetFocusLater() { notifications.push_back("setfocus 14"); }
    void OnKillFocusLater()
    {
        notifications.push_back("killfocus 14");
        if (onKillFocusLater)
            onKillFocusLater();
    }
    void OnPush() { notifications.push_back("click 20"); }
    void OnRadioTwo() { notifications.push_back("click 16"); }
    void OnTimer(UINT id)
    {
        if (onTimer)
            onTimer(id);
    }
    HBRUSH OnControlColor(CDC* dc, CWnd* control, UINT kind)
    {
        HBRUSH brush = CDialog::OnCtlColor(dc, control, kind);
        return onControlColor ? onControlColor(dc, control, kind) : brush;
    }
    LRESULT OnAdd(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam) + lParam; }
    void OnSysCommand(UINT id, LPARAM lParam)
    {
        systemCommands.push_back(id);
        CDialog::OnSysCommand(id, lParam);
    }
};

// A shown, active test dialog with a message-box recorder standing in for the person.
using DialogFixture = ShownDialogFixture<CTestDialog>;
