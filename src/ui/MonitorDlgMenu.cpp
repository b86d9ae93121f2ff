// SPDX-License-Identifier: GPL-2.0-or-later
// The window's own commands: their entries in the window menu and in the lists' context menus,
// their state when a menu opens, and where each chosen one goes.
#include "framework/Resources.h"
#include "res/ResourceIds.h"
#include "ui/MonitorDlg.h"

#include <QPoint>
#include <span>

namespace {

struct WindowCommand
{
    UINT command;
    UINT textId;
};

constexpr WindowCommand kCopyCommands[] = {
    {kCopyStandingsCommand, kCopyStandingsTextId},
    {kCopyAddressCommand, kCopyAddressTextId},
};

constexpr WindowCommand kFeatureCommands[] = {
    {kAlertsCommand, kAlertsTextId},
    {kRecordMatchCommand, kRecordMatchTextId},
    {kTimelineCommand, kTimelineTextId},
};

// A group after other entries is set apart from them by a separator.
void AppendCommands(CMenu& menu, std::span<const WindowCommand> commands)
{
    if (menu.GetMenuItemCount() > 0)
        menu.AppendMenu(MF_SEPARATOR);
    for (const WindowCommand& entry : commands)
        menu.AppendMenu(MF_STRING, entry.command, AfxLoadString(entry.textId));
}

} // namespace

void CMonitorDlg::AppendWindowCommands(CMenu& menu, bool copyOnly)
{
    AppendCommands(menu, kCopyCommands);
    if (!copyOnly)
        AppendCommands(menu, kFeatureCommands);
}

void CMonitorDlg::UpdateWindowCommands(CMenu& menu) const
{
    // Copying copies what the window shows, so there must be standings on screen.
    menu.EnableMenuItem(kCopyStandingsCommand, standingsServer.has_value());
    menu.EnableMenuItem(kCopyAddressCommand, ServerInFields().has_value());
    menu.CheckMenuItem(kRecordMatchCommand, IsRecording());
}

bool CMonitorDlg::RunWindowCommand(UINT command)
{
    switch (command) {
    case kAboutCommand:
        OnAbout();
        return true;
    case kCopyStandingsCommand:
        OnCopyStandings();
        return true;
    case kCopyAddressCommand:
        OnCopyServerAddress();
        return true;
    case kAlertsCommand:
        OnAlerts();
        return true;
    case kRecordMatchCommand:
        OnRecordMatch();
        return true;
    case kTimelineCommand:
        OnTimeline();
        return true;
    default:
        return false;
    }
}

void CMonitorDlg::OnContextMenu(int controlId, const QPoint& globalPosition)
{
    if (controlId != kPlayerListId && controlId != kInfoListId)
        return;
    // The previous menu has closed by now: a popup takes the input until it closes.
    contextMenu =
        std::make_unique<CMenu>(GetSafeHwnd(), [this](UINT command) { RunWindowCommand(command); });
    AppendWindowCommands(*contextMenu, controlId == kInfoListId);
    UpdateWindowCommands(*contextMenu);
    contextMenu->Popup(globalPosition);
}

void CMonitorDlg::OnStandingsShown()
{
    KeepShownStandings();
    RecordStandings();
    AddTimelinePoint();
    Alerts().OnStandings(status, standingsServer ? standingsServer->Text() : std::string());
}
