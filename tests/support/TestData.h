// SPDX-License-Identifier: GPL-2.0-or-later
// The committed files of tests/data, for tests and benchmarks built with the DATA option.
#pragma once

#include <string>

// The path of a file in tests/data.
std::string TestDataPath(const std::string& fileName);

// The whole content of a file in tests/data, or an empty string when it cannot be read.
std::string ReadTestDataFile(const std::string& fileName);
