// SPDX-License-Identifier: GPL-2.0-or-later
// Offline reply source: a reply saved in a file (for instance by --raw).
#pragma once

#include "query/ReplyResult.h"

#include <chrono>
#include <string>

// The file's bytes up to its first zero byte, read as one received reply and bounded as one:
// at most kMaxReplyTextBytes, and no longer than the timeout, so that an endless device or a
// FIFO nobody writes to ends like a silent server (what arrived in time, maybe nothing). A
// missing or unreadable file fails with ExitCode::Usage.
ReplyResult ReadReplyFile(const std::string& path, std::chrono::milliseconds timeout);
