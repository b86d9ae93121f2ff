// SPDX-License-Identifier: GPL-2.0-or-later
// Reads the committed files of the source tree's tests/data folder.
#include "TestData.h"

#include <fstream>
#include <iterator>

std::string TestDataPath(const std::string& fileName)
{
    return std::string(TALLYHAWK_TEST_DATA_DIR) + "/" + fileName;
}

std::string ReadTestDataFile(const std::string& fileName)
{
    std::ifstream file(TestDataPath(fileName), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
