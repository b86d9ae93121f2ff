// The exit-code table: --help prints it from ExitCodeMeaning, and the README shows it as printed.

#include "query/ExitCode.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

TEST(ExitCodeTableTest, ReadmeShowsTheTableThatHelpPrints)
{
    std::ifstream file(TALLYHAWK_README_PATH);
    ASSERT_TRUE(file) << TALLYHAWK_README_PATH;
    std::stringstream readme;
    readme << file.rdbuf();

    // The README indents the table by two spaces, as a code block inside a list item.
    std::string indented;
    std::istringstream help(ExitCodeHelp());
    for (std::string line; std::getline(help, line);)
        indented += "  " + line + "\n";
    EXPECT_NE(readme.str().find(indented), std::string::npos)
        << "README.md should hold this table:\n"
        << indented;
}

} // namespace
