// Offline reply source: a reply saved in a file (for instance by --raw).
#pragma once

#include "ReplyResult.h"

#include <string>

// The file's bytes up to its first zero byte, read as one received reply. Reading stops at that
// byte, so a device without end works too. A missing or unreadable file fails with
// ExitCode::Usage.
ReplyResult ReadReplyFile(const std::string& path);
