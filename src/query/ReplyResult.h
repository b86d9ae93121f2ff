// SPDX-License-Identifier: GPL-2.0-or-later
// What a reply source gives: the collected reply text, or a failure with its exit code.
#pragma once

#include "query/ExitCode.h"
#include "status/Result.h"

#include <string>

struct ReplyFailure
{
    ExitCode code = ExitCode::NetworkFailure;
    std::string message; // one line, without the program name
};

// The text never holds a zero byte; it is empty when nothing came back.
using ReplyResult = Result<std::string, ReplyFailure>;
