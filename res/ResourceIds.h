// SPDX-License-Identifier: GPL-2.0-or-later
// Identifiers of the program's resources: dialog templates, their controls, strings, icons and
// the system-menu command. The templates themselves are in res/dialogs/<id>.json.
#pragma once

inline constexpr int kAboutDialogId = 100;
inline constexpr int kMonitorDialogId = 102;

inline constexpr unsigned kAboutMenuTextId = 101;     // "&About Tallyhawk..."
inline constexpr unsigned kSocketsFailedTextId = 103; // "Windows sockets initialization failed."
inline constexpr unsigned kApplicationIconId = 128;   // 32 and 16 pixels
inline constexpr unsigned kSwatchStripId = 195;       // 14 colour swatches of 16 x 16, BI_RLE4
inline constexpr unsigned kAboutCommand = 16;         // system-menu entry, low four bits clear

// The window's own commands, in the window menu after About and in the lists' context menus;
// like About, each identifier has its low four bits clear, and each has its menu text.
inline constexpr unsigned kCopyStandingsCommand = 32;
inline constexpr unsigned kCopyAddressCommand = 48;
inline constexpr unsigned kAlertsCommand = 64;
inline constexpr unsigned kRecordMatchCommand = 80;
inline constexpr unsigned kTimelineCommand = 96;
inline constexpr unsigned kCopyStandingsTextId = 104; // "&Copy Standings"
inline constexpr unsigned kCopyAddressTextId = 105;   // "Copy Server &Address"
inline constexpr unsigned kAlertsTextId = 106;        // "&Alerts..."
inline constexpr unsigned kRecordMatchTextId = 107;   // "&Record Match..."
inline constexpr unsigned kTimelineTextId = 108;      // "&Timeline"

// Controls of the monitor dialog.
inline constexpr int kAboutButtonId = 100;
inline constexpr int kServerNameId = 1000;
inline constexpr int kWatchButtonId = 1001;
inline constexpr int kRefreshEditId = 1002;
inline constexpr int kPlayerListId = 1004;
inline constexpr int kTotalFragsId = 1008;
inline constexpr int kHostEditId = 1009;
inline constexpr int kTeam1EditId = 1012;
inline constexpr int kTeam2EditId = 1013;
inline constexpr int kTeam3EditId = 1015;
inline constexpr int kInfoListId = 1020;
inline constexpr int kTeam1TotalId = 1022;
inline constexpr int kTeam2TotalId = 1023;
inline constexpr int kPortComboId = 1024;
inline constexpr int kTimeId = 1025;
inline constexpr int kTeam1LabelId = 1026;
inline constexpr int kTeam2LabelId = 1027;
inline constexpr int kColorRadioId = 1028;
inline constexpr int kSkinRadioId = 1029;
inline constexpr int kStopButtonId = 1030;
inline constexpr int kTeamSetupGroupId = 1031;
inline constexpr int kPasteEditId = 1032;
inline constexpr int kObserveButtonId = 1033;
inline constexpr int kTeam3TotalId = 1034;
inline constexpr int kTeam3LabelId = 1035;

// The Alerts dialog: a check box per event and the number of players to wait for.
inline constexpr int kAlertsDialogId = 120;
inline constexpr int kAlertJoinCheckId = 1201;
inline constexpr int kAlertLeaveCheckId = 1202;
inline constexpr int kAlertPlayersCheckId = 1203;
inline constexpr int kAlertPlayersEditId = 1204;
inline constexpr int kAlertFullCheckId = 1205;
inline constexpr int kAlertMatchStartCheckId = 1206;
inline constexpr int kAlertMatchEndCheckId = 1207;
