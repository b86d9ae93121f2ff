// SPDX-License-Identifier: GPL-2.0-or-later
// The standings display: the player rows, the serverinfo list, the totals and their colours, and
// the switch between the two team modes.
#include "framework/ListCtrl.h"
#include "res/ResourceIds.h"
#include "status/ColorSwatch.h"
#include "status/DecimalText.h"
#include "status/ReadableText.h"
#include "ui/MonitorDlg.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

constexpr int kInfoTabStop = 60; // dialog units: one stop, repeated across the line
// An index past the strip: the "Empty" row shows no swatch.
constexpr int kNoSwatchImage = 15;

struct ColoredControl
{
    int id;
    COLORREF text;
};

// Value fields and the serverinfo list, in the order they are matched: on black, whatever the
// theme.
constexpr ColoredControl kColoredControls[] = {
    {kTotalFragsId, RGB(0, 255, 0)},   {kTeam1TotalId, RGB(255, 255, 0)},
    {kTeam2TotalId, RGB(255, 255, 0)}, {kTeam3TotalId, RGB(255, 255, 0)},
    {kTimeId, RGB(255, 96, 96)},       {kInfoListId, RGB(255, 255, 0)},
};

void InsertEmptyRow(CListCtrl& list)
{
    LVITEM row;
    row.mask = LVIF_TEXT | LVIF_IMAGE;
    row.iItem = 0;
    row.pszText = "Empty";
    row.iImage = kNoSwatchImage;
    list.InsertItem(row);
}

} // namespace

void CMonitorDlg::RefreshDisplay()
{
    // The person's place in the list survives the refresh: the selected player, found again by
    // user id, and the first row in view.
    const int selectedRow = playerList.GetSelectedItem();
    const std::optional<std::int32_t> selectedUserId =
        selectedRow >= 0 && static_cast<std::size_t>(selectedRow) < rowUserIds.size()
            ? std::optional(rowUserIds[static_cast<std::size_t>(selectedRow)])
            : std::nullopt;
    const int topRow = playerList.GetTopIndex();
    playerList.DeleteAllItems();
    rowUserIds.clear();

    if (infoRefreshCountdown == 0) {
        const ServerInfoTable& info = status.serverInfo;
        infoList.ResetContent();
        infoList.SetTabStops(kInfoTabStop);
        for (std::int32_t pair = 0; pair < info.infoCount; ++pair) {
            // Matched on the received bytes; shown readable.
            const std::string value = ReadableServerText(info.infoValues[pair]);
            if (info.infoKeys[pair] == "hostname")
                serverNameText = value;
            infoList.AddString(ReadableServerText(info.infoKeys[pair]) + '\t' + value);
        }
    }

    if (status.serverEmpty) {
        InsertEmptyRow(playerList);
    } else {
        for (std::int32_t index = 0; index < status.playerCount; ++index) {
            const PlayerEntry& player = status.players[static_cast<std::size_t>(index)];
            const std::optional<int> top = SwatchForColor(player.topColor);
            LVITEM row;
            row.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
            row.iItem = index;
            row.pszText = ReadableServerText(player.name);
            row.iImage = SwatchForColor(player.bottomColor).value_or(-1);
            row.state = INDEXTOSTATEIMAGEMASK(top ? static_cast<UINT>(*top) + 1 : 0);
            row.stateMask = LVIS_STATEIMAGEMASK;
            playerList.InsertItem(row);
            rowUserIds.push_back(player.userId);

            LVITEM cell;
            cell.mask = LVIF_TEXT;
            cell.iItem = index;
            for (auto [subItem, text] : {std::pair{1, std::to_string(player.frags)},
                                         std::pair{2, std::to_string(player.ping)},
                                         std::pair{3, ReadableServerText(player.skin)}}) {
                cell.iSubItem = subItem;
                cell.pszText = std::move(text);
                playerList.SetItem(cell);
            }
        }
    }

    totalFragsText = std::to_string(totals.totalFrags);
    team1TotalText = std::to_string(totals.teamTotal[0]);
    team2TotalText = std::to_string(totals.teamTotal[1]);
    team3TotalText = std::to_string(totals.teamTotal[2]);
    timeText = std::to_string(totals.longestMinutes) + " Min.";

    if (selectedUserId) {
        const auto found = std::ranges::find(rowUserIds, *selectedUserId);
        if (found != rowUserIds.end())
            playerList.SelectItem(static_cast<int>(found - rowUserIds.begin()));
    }
    playerList.SetTopIndex(topRow);
    UpdateData(Direction::LoadKeepingTyping);
}

void CMonitorDlg::ClearStandings()
{
    status = StatusModel{};
    totals = StandingsTotals{};
    playerList.DeleteAllItems();
    rowUserIds.clear();
    InsertEmptyRow(playerList);
    infoList.ResetContent();
    serverNameText.clear();
    totalFragsText.clear();
    team1TotalText.clear();
    team2TotalText.clear();
    team3TotalText.clear();
    timeText.clear();
    // The next reply rebuilds the serverinfo list at once.
    infoRefreshCountdown = 0;
    UpdateData(Direction::LoadKeepingTyping);
}

HBRUSH CMonitorDlg::OnControlColor(CDC* dc, CWnd* control, UINT kind)
{
    HBRUSH brush = CDialog::OnCtlColor(dc, control, kind);
    QWidget* asking = control ? control->GetSafeHwnd() : nullptr;
    if (!asking)
        return brush;
    for (const ColoredControl& colored : kColoredControls) {
        if (asking != GetDlgItemWidget(colored.id))
            continue;
        ctlBrush.DeleteObject();
        ctlBrush.CreateSolidBrush(RGB(0, 0, 0));
        dc->SetBkColor(RGB(0, 0, 0));
        dc->SetTextColor(colored.text);
        dc->SetBkMode(OPAQUE);
        return ctlBrush.GetSafeHandle();
    }
    return brush;
}

void CMonitorDlg::OnColorMode()
{
    // Run again in its own mode the switch would store the colour numbers shown as skin names.
    if (teamFieldsMode == TeamMode::Color)
        return;
    // A validation message may open here; timer ticks and replies are handled meanwhile, and the
    // switch goes on with the members as they then stand.
    UpdateData(Direction::Save);
    savedSkin = {team1Text, team2Text, team3Text};
    team1Label = "Color1";
    team2Label = "Color2";
    team3Label = "Color3";
    team1Text = std::to_string(savedColor[0]);
    team2Text = std::to_string(savedColor[1]);
    team3Text = std::to_string(savedColor[2]);
    teamFieldsMode = TeamMode::Color;
    UpdateData(Direction::Load);
}

void CMonitorDlg::OnSkinMode()
{
    if (teamFieldsMode == TeamMode::Skin)
        return;
    // As in OnColorMode, a validation message may open here.
    UpdateData(Direction::Save);
    savedColor = {DecimalTextToInt(team1Text), DecimalTextToInt(team2Text),
                  DecimalTextToInt(team3Text)};
    team1Label = "Skin 1";
    team2Label = "Skin 2";
    team3Label = "Skin 3";
    team1Text = savedSkin[0];
    team2Text = savedSkin[1];
    team3Text = savedSkin[2];
    teamFieldsMode = TeamMode::Skin;
    UpdateData(Direction::Load);
}
