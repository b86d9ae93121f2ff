// SPDX-License-Identifier: GPL-2.0-or-later
// Turns one reply source's result into output and an exit code, the same for every mode.
#pragma once

#include "query/QueryOptions.h"
#include "query/ReplyResult.h"

#include <ostream>

// A failure goes to err with the program name and gives its code; an empty reply (no text, or
// the print header alone) gives "Server Did Not Respond" on err and ExitCode::NoReply; otherwise
// the reply is written to out as raw bytes, one JSON line or the text table, as the options say.
int PrintReply(const ReplyResult& result, const QueryOptions& options, std::ostream& out,
               std::ostream& err);
