// Reads the committed reply fixtures from the source tree's tests/data folder.

#include "StatusTestSupport.h"

#include <fstream>
#include <iterator>

std::string ReadTestDataFile(const std::string& fileName)
{
    std::ifstream file(std::string(TALLYHAWK_TEST_DATA_DIR) + "/" + fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
