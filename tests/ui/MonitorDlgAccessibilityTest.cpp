// SPDX-License-Identifier: GPL-2.0-or-later
// The monitor dialog as a screen reader hears it: every field by its caption, the team fields by
// the caption of the chosen mode, the totals together with what they total.
#include "DialogDriver.h"
#include "ShownDialogFixture.h"
#include "res/ResourceIds.h"
#include "ui/MonitorDlg.h"
#include "ui/MonitorDlgSeam.h"

#include <QAccessible>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct ExpectedName
{
    int id;
    const char* name;
};

class ScreenReaderNames : public ShownDialogFixture<CMonitorDlg>
{
protected:
    void ExpectNames(const std::vector<ExpectedName>& expected)
    {
        for (const ExpectedName& control : expected)
            EXPECT_EQ(AccessibleName(control.id), control.name) << control.id;
    }
};

} // namespace

TEST_F(ScreenReaderNames, FieldsAndListsAreNamedByTheirCaptions)
{
    ExpectNames({
        {kHostEditId, "Host"},
        {kPortComboId, "Port"},
        {kRefreshEditId, "Refresh Time"},
        {kTeam1EditId, "Skin 1"},
        {kTeam2EditId, "Skin 2"},
        {kTeam3EditId, "Skin 3"},
        {kPasteEditId, "Paste a server line"},
        {kInfoListId, "Server Info:"},
        {kPlayerListId, "Players"},
        {kObserveButtonId, "Observe this server in your QuakeWorld client"},
    });
    EXPECT_EQ(LabelNames(kPortComboId), std::vector<std::string>{"Port"});
    // Named by the template: no caption static beside them is taken for theirs.
    EXPECT_TRUE(LabelNames(kPasteEditId).empty());
    EXPECT_TRUE(LabelNames(kPlayerListId).empty());
}

TEST_F(ScreenReaderNames, TeamFieldsAreRenamedWithTheTeamMode)
{
    PressButton(dialog, kColorRadioId);
    ExpectNames({{kTeam1EditId, "Color1"}, {kTeam2EditId, "Color2"}, {kTeam3EditId, "Color3"}});
    EXPECT_EQ(LabelNames(kTeam3EditId), std::vector<std::string>{"Color3"});

    PressButton(dialog, kSkinRadioId);
    ExpectNames({{kTeam1EditId, "Skin 1"}, {kTeam2EditId, "Skin 2"}, {kTeam3EditId, "Skin 3"}});
}

TEST_F(ScreenReaderNames, TotalsAreReadWithWhatTheyTotal)
{
    Seam(dialog).totalFragsText = "150";
    Seam(dialog).timeText = "12 Min.";
    Seam(dialog).team1TotalText = "80";
    Seam(dialog).team2TotalText = "70";
    Seam(dialog).team3TotalText = "0";
    ASSERT_TRUE(dialog.UpdateData(Direction::Load));
    ExpectNames({
        {kTotalFragsId, "Total Frags: 150"},
        {kTimeId, "Time: 12 Min."},
        {kTeam1TotalId, "Team1 Total: 80"},
        {kTeam2TotalId, "Team2 Total: 70"},
        {kTeam3TotalId, "Team3 Total: 0"},
    });

    Seam(dialog).totalFragsText = "151";
    ASSERT_TRUE(dialog.UpdateData(Direction::Load));
    ExpectNames({{kTotalFragsId, "Total Frags: 151"}});
}
