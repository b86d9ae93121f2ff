// SPDX-License-Identifier: GPL-2.0-or-later
// What tallyhawk-query --help prints: usage, every option and the exit codes, in lines that fit
// a terminal of 80 columns.
#pragma once

#include <ostream>

void WriteQueryHelp(std::ostream& out);
