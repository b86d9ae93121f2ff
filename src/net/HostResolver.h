// SPDX-License-Identifier: GPL-2.0-or-later
// The window's way to look a server's host up without blocking its event loop: the lookup runs
// on a thread of its own and its answer comes back as a queued call. Use a resolver from one
// thread; destroying it while a lookup is in flight drops that lookup's answer.
#pragma once

#include "net/HostLookup.h"

#include <functional>
#include <memory>
#include <string>

// Looks host names up for the window without blocking its event loop.
class HostResolver
{
public:
    using Answered = std::function<void(const HostLookupAnswer&)>;

    virtual ~HostResolver() = default;

    // Starts looking `host` up; `answered` runs later from the calling thread's event loop, never
    // inside Start. A new Start or Abandon drops the lookup before it: its answer never comes.
    // `answered` may start another lookup or destroy the resolver.
    virtual void Start(const std::string& host, Answered answered) = 0;
    virtual void Abandon() = 0;
};

// The system's resolver (LookUpIpv4) on a BackgroundHostLookup; the answer is delivered through
// the event loop of the thread that called Start (a queued call on a QObject the resolver owns).
std::unique_ptr<HostResolver> MakeSystemHostResolver();

// The same with `lookUp` in place of the system's resolver, run on the lookup's thread (tests
// give one that blocks or fails on demand).
using HostLookUp = std::function<HostLookupAnswer(const std::string& host)>;
std::unique_ptr<HostResolver> MakeBackgroundHostResolver(HostLookUp lookUp);
