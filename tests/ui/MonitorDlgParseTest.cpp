// SPDX-License-Identifier: GPL-2.0-or-later
// The parse's dialog side: a reply text becomes the ordered players and the totals of the team
// mode the radio buttons show; an empty text only tells the user; the countdown that paces the
// serverinfo list.
#include "DialogDriver.h"
#include "ShownDialogFixture.h"
#include "res/ResourceIds.h"
#include "ui/MonitorDlg.h"
#include "ui/MonitorDlgSeam.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// Four players: frags 5, 9, 5, 12 in reply order. Player 1 wears red but has bottom colour 13,
// so the two team modes give different totals.
const std::string kReply = "\xff\xff\xff\xffn\\hostname\\Test server\\maxclients\\8\n"
                           "1 5 10 50 \"alpha\" \"red\" 4 13\n"
                           "2 9 20 60 \"bravo\" \"blue\" 13 13\n"
                           "3 5 30 70 \"charlie\" \"red\" 4 4\n"
                           "4 12 5 80 \"delta\" \"gold\" 12 12\n";

class Parse : public ShownDialogFixture<CMonitorDlg>
{
protected:
    void SelectMode(int radioId) { dialog.CheckRadioButton(kColorRadioId, kSkinRadioId, radioId); }

    void SetTeams(const char* team1, const char* team2, const char* team3)
    {
        Seam(dialog).team1Text = team1;
        Seam(dialog).team2Text = team2;
        Seam(dialog).team3Text = team3;
    }

    std::vector<int> UserIdsInOrder()
    {
        std::vector<int> ids;
        for (int row = 0; row < Seam(dialog).status.playerCount; ++row)
            ids.push_back(Seam(dialog).status.players[row].userId);
        return ids;
    }
};

} // namespace

TEST_F(Parse, ReplyIsOrderedByFragsAndTotalledInTheModeTheRadioButtonsShow)
{
    struct Case
    {
        const char* name;
        int radio;
        const char* teams[3];
        std::array<std::int32_t, 3> expected;
    };
    const Case cases[] = {
        {"skin", kSkinRadioId, {"red", "blue", "gold"}, {10, 9, 12}},
        {"color", kColorRadioId, {"4", "13", "12"}, {5, 14, 12}},
        {"skin texts read in color mode", kColorRadioId, {"red", "blue", "gold"}, {0, 0, 0}},
    };
    for (const Case& mode : cases) {
        SCOPED_TRACE(mode.name);
        SelectMode(mode.radio);
        SetTeams(mode.teams[0], mode.teams[1], mode.teams[2]);
        dialog.ParseStatusReply(kReply);
        EXPECT_EQ(UserIdsInOrder(), (std::vector<int>{4, 2, 1, 3})); // equal frags keep order
        EXPECT_EQ(Seam(dialog).status.serverInfo.infoCount, 2);
        EXPECT_FALSE(Seam(dialog).status.serverEmpty);
        EXPECT_EQ(Seam(dialog).totals.totalFrags, 31);
        EXPECT_EQ(Seam(dialog).totals.longestMinutes, 30);
        EXPECT_EQ(Seam(dialog).totals.teamTotal, mode.expected);
    }
    EXPECT_TRUE(boxes.Records().empty());
}

TEST_F(Parse, EmptyTextOnlyTellsTheServerDidNotRespond)
{
    SelectMode(kSkinRadioId);
    SetTeams("red", "blue", "gold");
    dialog.ParseStatusReply(kReply);
    const StandingsTotals before = Seam(dialog).totals;

    dialog.ParseStatusReply("");
    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].text, "Server Did Not Respond");
    EXPECT_EQ(boxes.Records()[0].icon, MessageBoxIcon::Exclamation);
    EXPECT_EQ(boxes.Records()[0].caption, AfxGetAppName());
    EXPECT_EQ(Seam(dialog).status.playerCount, 0);
    EXPECT_EQ(Seam(dialog).status.serverInfo.infoCount, 0);
    EXPECT_TRUE(Seam(dialog).status.serverEmpty);
    EXPECT_EQ(Seam(dialog).totals, before);
    EXPECT_EQ(Seam(dialog).infoRefreshCountdown, 11); // not stepped
}

TEST_F(Parse, CountdownRebuildsTheServerInfoEveryTwelfthReplyAndRestartsOnReset)
{
    std::vector<int> afterEachReply;
    for (int reply = 1; reply <= 13; ++reply) {
        dialog.ParseStatusReply(kReply);
        afterEachReply.push_back(Seam(dialog).infoRefreshCountdown);
    }
    // The display sees the value before the step: 0 on the 1st and the 13th reply.
    EXPECT_EQ(afterEachReply, (std::vector<int>{11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 11}));

    struct Reset
    {
        const char* name;
        std::function<void()> act;
    };
    const Reset resets[] = {
        {"STOP", [this] { PressButton(dialog, kStopButtonId); }},
        {"host typed", [this] { TypeText(dialog, kHostEditId, "10.0.0.2"); }},
        {"paste field focused", [this] { Item(kPasteEditId)->setFocus(); }},
    };
    for (const Reset& reset : resets) {
        SCOPED_TRACE(reset.name);
        Item(kTeam1EditId)->setFocus();
        dialog.ParseStatusReply(kReply);
        ASSERT_NE(Seam(dialog).infoRefreshCountdown, 0);
        reset.act();
        EXPECT_EQ(Seam(dialog).infoRefreshCountdown, 0);
        dialog.ParseStatusReply(kReply);
        EXPECT_EQ(Seam(dialog).infoRefreshCountdown, 11);
    }
}
