// SPDX-License-Identifier: GPL-2.0-or-later
// The template reader's errors, and a dialog whose template is missing.
#include "framework/DialogTemplate.h"

#include "framework/Dialog.h"

#include <gtest/gtest.h>
#include <string>

TEST(DialogTemplate, ReportsWhatIsWrong)
{
    struct Case
    {
        const char* json;
        const char* error;
    };
    const Case cases[] = {
        {"{", "malformed template"},
        {R"({"size": [1, 2], "styles": ["sizingframes"]})", "unknown style \"sizingframes\""},
        {R"({"size": [1, 2], "controls": [{"kind": "slider", "rect": [0, 0, 1, 1]}]})",
         "unknown control kind \"slider\""},
        {R"({"size": [1, 2], "controls": [{"kind": "edit", "rect": [0, 0]}]})",
         "control without a rect"},
        {R"({"controls": []})", "template without a size"},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.json);
        Result<DialogTemplate> parsed = ParseDialogTemplate(testCase.json);
        ASSERT_FALSE(parsed);
        EXPECT_NE(parsed.Error().find(testCase.error), std::string::npos) << parsed.Error();
    }
}

TEST(DialogTemplate, MissingTemplateFailsToOpen)
{
    CDialog missing(4242);
    EXPECT_FALSE(missing.Create());
    EXPECT_EQ(missing.DoModal(), -1);
}
