// What a reply source gives: the collected reply text, or a failure with its exit code.
#pragma once

#include "query/ExitCode.h"

#include <optional>
#include <string>

struct ReplyFailure
{
    ExitCode code = ExitCode::NetworkFailure;
    std::string message; // one line, without the program name
};

struct ReplyResult
{
    std::string text; // never holds a zero byte; empty when nothing came back
    std::optional<ReplyFailure> failure;
};
