// SPDX-License-Identifier: GPL-2.0-or-later
// The exit-code table: --help prints it from ExitCodeMeaning; the README and the manual page show
// the same meanings.

#include "query/ExitCode.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string FileText(const char* path)
{
    std::ifstream file(path);
    EXPECT_TRUE(file) << path;
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(ExitCodeTableTest, ReadmeShowsTheTableThatHelpPrints)
{
    const std::string readme = FileText(TALLYHAWK_README_PATH);

    // The README indents the table by two spaces, as a code block inside a list item.
    std::string indented;
    std::istringstream help(ExitCodeHelp());
    for (std::string line; std::getline(help, line);)
        indented += "  " + line + "\n";
    EXPECT_NE(readme.find(indented), std::string::npos) << "README.md should hold this table:\n"
                                                        << indented;
}

TEST(ExitCodeTableTest, ManualPageListsEveryCodeWithItsMeaning)
{
    const std::string page = FileText(TALLYHAWK_QUERY_MANUAL_PATH);
    std::string expected = ".SH EXIT STATUS\n";
    for (int code = 0; code <= ToInt(kLastExitCode); ++code)
        expected += ".TP\n" + std::to_string(code) + "\n" +
                    ExitCodeMeaning(static_cast<ExitCode>(code)) + "\n";
    EXPECT_NE(page.find(expected), std::string::npos)
        << "docs/man/tallyhawk-query.1.in should hold:\n"
        << expected;
}

} // namespace
