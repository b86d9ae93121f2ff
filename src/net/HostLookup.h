// SPDX-License-Identifier: GPL-2.0-or-later
// Host name lookup, the one place both front ends resolve a server's host: at once for a numeric
// host, through the system's resolver otherwise, optionally on a thread of its own so that a slow
// resolver holds nobody up. The window takes IPv4 alone; tallyhawk-query takes every family.
// std and POSIX only (the static tallyhawk-query links it).
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <netinet/in.h>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <vector>

struct HostLookupAnswer
{
    std::optional<in_addr> address; // the first IPv4 address; nothing when the lookup failed
    std::string failure; // the resolver's words when it failed (gai_strerror), else empty
    // LookUpAnyAddress only: every address, IPv4 and IPv6, in the resolver's order, port 0.
    std::vector<sockaddr_storage> addresses{};
};

// A numeric IPv4 host in any form inet_aton takes ("10.1.2.3", "127.1"): never asks a resolver.
std::optional<in_addr> NumericIpv4(const std::string& host);

// Numeric at once, else the first IPv4 address getaddrinfo gives. Blocks for as long as the
// resolver takes.
HostLookupAnswer LookUpIpv4(const std::string& host);

// A numeric IPv6 host ("::1", "fe80::1%eth0"): never asks a resolver.
std::optional<sockaddr_storage> NumericIpv6(const std::string& host);

// Numeric (IPv4 as NumericIpv4 takes it, or IPv6) at once, else every address getaddrinfo gives
// for any family, in its order. `address` is the first IPv4 one, as LookUpIpv4 gives it. Fails
// when the resolver fails or gives no address.
HostLookupAnswer LookUpAnyAddress(const std::string& host);

// A lookup that runs on a thread of its own so that a resolver which takes its time holds nobody
// up. Destroying the object abandons the lookup: the thread finishes alone, its answer goes
// nowhere, and onAnswer never runs after the destructor has returned. The program's exit never
// waits for it. Use one object from one thread at a time.
class BackgroundHostLookup
{
public:
    using Work = std::function<HostLookupAnswer()>;

    explicit BackgroundHostLookup(std::string host, std::function<void()> onAnswer = {});
    // Runs `work` in place of LookUpIpv4 (tests give their own). When no thread can be started,
    // the answer is a failure that says so, and onAnswer runs before the constructor returns.
    BackgroundHostLookup(Work work, std::function<void()> onAnswer);
    // Waits only for an onAnswer already running to return; onAnswer must therefore never
    // destroy its own lookup.
    ~BackgroundHostLookup();

    BackgroundHostLookup(const BackgroundHostLookup&) = delete;
    BackgroundHostLookup& operator=(const BackgroundHostLookup&) = delete;

    // onAnswer runs on the lookup's thread, once the answer is in (never after abandonment); it
    // may read Answer().
    std::optional<HostLookupAnswer> Answer() const; // nothing while still looking
    // The answer as soon as it is in, or nothing when the deadline passes first.
    std::optional<HostLookupAnswer> WaitUntil(std::chrono::steady_clock::time_point deadline);

private:
    struct SharedState;
    std::shared_ptr<SharedState> state;
};
