// SPDX-License-Identifier: GPL-2.0-or-later
// What tallyhawk-query asks of a server: which status request, and whether a ping fences the
// reply. Plain data, chosen by the command line.
#pragma once

#include "status/ReplyCollector.h"
#include "status/StatusWireFormat.h"

struct QueryRequest
{
    ReplyFence fence = ReplyFence::Ping;
    StatusLayout layout = StatusLayout::Plain;
};
