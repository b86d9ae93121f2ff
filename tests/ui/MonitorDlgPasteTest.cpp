// SPDX-License-Identifier: GPL-2.0-or-later
// The paste field: a pasted server line is split into host and port when the field loses the
// focus; getting the focus empties it and shows every member again.
#include "DialogDriver.h"
#include "ShownDialogFixture.h"
#include "res/ResourceIds.h"
#include "ui/MonitorDlg.h"
#include "ui/MonitorDlgSeam.h"

#include <gtest/gtest.h>

namespace {

class PasteField : public ShownDialogFixture<CMonitorDlg>
{
protected:
    // Into the paste field, a line pasted, and out of it again.
    void Paste(const std::string& line)
    {
        Item(kPasteEditId)->setFocus();
        SetControlText(dialog, kPasteEditId, line);
        Item(kRefreshEditId)->setFocus();
    }
};

} // namespace

TEST_F(PasteField, LineIsSplitIntoHostAndPort)
{
    struct Case
    {
        const char* line;
        const char* host;
        const char* port;
    };
    const Case cases[] = {
        {"srv  ab10.1.2.3 27500 x", "10.1.2.3", "27500"},
        {"srv  ab10.1.2.3 27500", "10.1.2.3", ""}, // the port needs a space after it
        {"  srv   ab10.1.2.3   27500 x", "10.1.2.3", "27500"},
        {"srv\tab10.1.2.3 27500 x", "500", ""}, // a tab separates nothing
        {"srv  ab10.1.2.3", "", ""},
        {"srv  a", "", ""},
        {"srv", "", ""},
    };
    for (const Case& pasted : cases) {
        SCOPED_TRACE(pasted.line);
        Paste(pasted.line);
        EXPECT_EQ(Seam(dialog).hostText, pasted.host);
        EXPECT_EQ(Seam(dialog).portText, pasted.port);
        EXPECT_EQ(ControlText(dialog, kHostEditId), pasted.host);
        EXPECT_EQ(ControlText(dialog, kPasteEditId), pasted.line); // shown until focused again
    }
    EXPECT_TRUE(boxes.Records().empty());
}

TEST_F(PasteField, EmptyPasteChangesNoMember)
{
    Seam(dialog).portText = "27500";
    ASSERT_TRUE(dialog.UpdateData(Direction::Load));
    Paste("");
    EXPECT_EQ(Seam(dialog).hostText, "127.0.0.1");
    EXPECT_EQ(Seam(dialog).portText, "27500");
}

TEST_F(PasteField, HostLongerThan15IsShownAndRefusedByTheNextSave)
{
    Paste("srv  abquake.example.org 27500 x");
    EXPECT_EQ(ControlText(dialog, kHostEditId), "quake.example.org");
    EXPECT_FALSE(dialog.UpdateData(Direction::Save));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Please enter no more than 15 characters."});
}

TEST_F(PasteField, FocusEmptiesTheFieldAndDiscardsEditsNotYetExchanged)
{
    Paste("srv  ab10.1.2.3 27500 x");
    TypeText(dialog, kTeam1EditId, "red");
    Item(kPasteEditId)->setFocus();
    EXPECT_EQ(ControlText(dialog, kPasteEditId), "");
    EXPECT_EQ(Seam(dialog).pasteText, "");
    EXPECT_EQ(ControlText(dialog, kTeam1EditId), "");
    EXPECT_EQ(ControlText(dialog, kHostEditId), "10.1.2.3");
}
