// SPDX-License-Identifier: GPL-2.0-or-later
// The host lookup: numeric hosts, the system's resolver, the background lookup's waits and
// abandonment, and the window's resolver delivering through the event loop. Lookups that must
// take their time block on a gate that the test opens, at the latest when it ends.

#include "net/HostLookup.h"

#include "EventLoopWait.h"
#include "net/HostResolver.h"

#include <arpa/inet.h>
#include <condition_variable>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A count that other threads raise and a test waits on, with a deadline.
class Counter
{
public:
    // Notifies under the lock: a waiter may destroy the counter as soon as it sees the count.
    void Raise()
    {
        std::lock_guard lock(mutex);
        ++count;
        changed.notify_all();
    }
    // True once the count reaches `atLeast`; false when `within` passes first.
    bool WaitFor(int atLeast, std::chrono::milliseconds within = 5s)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, within, [&] { return count >= atLeast; });
    }
    int Value() const
    {
        std::lock_guard lock(mutex);
        return count;
    }

private:
    mutable std::mutex mutex;
    std::condition_variable changed;
    int count = 0;
};

// Holds the lookups made by Hold until Open; the destructor opens it, so no thread is left
// waiting whatever way a test ends. Shared with the threads, so it outlives the test if need be.
class Gate
{
public:
    ~Gate() { Open(); }

    void Open()
    {
        std::lock_guard lock(state->mutex);
        state->open = true;
        state->opened.notify_all();
    }

    // A lookup that counts its start, waits for the gate, gives `answer` and counts its end.
    BackgroundHostLookup::Work Hold(HostLookupAnswer answer) const
    {
        return [state = state, answer] {
            state->entered.Raise();
            {
                std::unique_lock lock(state->mutex);
                state->opened.wait(lock, [&] { return state->open; });
            }
            state->left.Raise();
            return answer;
        };
    }

    bool WaitEntered(int count = 1) { return state->entered.WaitFor(count); }
    bool WaitLeft(int count = 1) { return state->left.WaitFor(count); }

private:
    struct State
    {
        std::mutex mutex;
        std::condition_variable opened;
        bool open = false;
        Counter entered;
        Counter left;
    };
    std::shared_ptr<State> state = std::make_shared<State>();
};

in_addr Ipv4(const char* dotted)
{
    in_addr address{};
    inet_pton(AF_INET, dotted, &address);
    return address;
}

std::string Dotted(const std::optional<in_addr>& address)
{
    if (!address)
        return "(none)";
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &*address, text, sizeof text);
    return text;
}

const HostLookupAnswer kLoopback{Ipv4("127.0.0.1"), {}};

TEST(HostLookupTest, NumericHostsInEveryFormInetAtonTakes)
{
    struct Case
    {
        const char* host;
        const char* address; // nullptr: not numeric
    };
    const Case cases[] = {
        {"10.1.2.3", "10.1.2.3"},
        {"127.1", "127.0.0.1"},                 // the last part fills the remaining bytes
        {"10.258", "10.0.1.2"},                 //
        {"0x7f.0.0.1", "127.0.0.1"},            // hexadecimal parts
        {"010.0.0.1", "8.0.0.1"},               // octal parts
        {"2130706433", "127.0.0.1"},            // one 32-bit number
        {"255.255.255.255", "255.255.255.255"}, // the value inet_addr cannot tell from failure
        {"", nullptr},
        {"localhost", nullptr},
        {"1.2.3.4.5", nullptr},
        {"256.1.1.1", nullptr},
        {"10.1.2.3x", nullptr},
        {"::1", nullptr},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.host);
        const std::optional<in_addr> numeric = NumericIpv4(test.host);
        if (test.address == nullptr) {
            EXPECT_FALSE(numeric) << Dotted(numeric);
            continue;
        }
        EXPECT_EQ(Dotted(numeric), test.address);
        const HostLookupAnswer answer = LookUpIpv4(test.host);
        EXPECT_EQ(Dotted(answer.address), test.address);
        EXPECT_EQ(answer.failure, "");
    }
}

TEST(HostLookupTest, LocalhostAnswersLoopbackFromTheHostsFile)
{
    const HostLookupAnswer answer = LookUpIpv4("localhost");
    EXPECT_EQ(Dotted(answer.address), "127.0.0.1");
    EXPECT_EQ(answer.failure, "");
}

TEST(HostLookupTest, NameUnderInvalidFailsWithTheResolversWords)
{
    const HostLookupAnswer answer = LookUpIpv4("no-such-host.invalid");
    EXPECT_FALSE(answer.address) << Dotted(answer.address);
    EXPECT_NE(answer.failure, "");
}

TEST(BackgroundHostLookupTest, AnswersAndCallsOnAnswerOnceFromItsOwnThread)
{
    auto calls = std::make_shared<Counter>();
    std::thread::id callingThread;
    BackgroundHostLookup lookup("localhost", [calls, &callingThread] {
        callingThread = std::this_thread::get_id();
        calls->Raise();
    });
    const std::optional<HostLookupAnswer> answer = lookup.WaitUntil(Clock::now() + 5s);
    ASSERT_TRUE(answer);
    EXPECT_EQ(Dotted(answer->address), "127.0.0.1");
    ASSERT_TRUE(calls->WaitFor(1));
    EXPECT_NE(callingThread, std::this_thread::get_id());
    EXPECT_EQ(Dotted(lookup.Answer()->address), "127.0.0.1");
    EXPECT_FALSE(calls->WaitFor(2, 100ms));
}

TEST(BackgroundHostLookupTest, WaitUntilGivesNothingAtTheDeadlineWhileTheWorkBlocks)
{
    Gate gate;
    BackgroundHostLookup lookup(gate.Hold(kLoopback), {});
    const Clock::time_point deadline = Clock::now() + 50ms;
    EXPECT_FALSE(lookup.WaitUntil(deadline));
    EXPECT_GE(Clock::now(), deadline);
    EXPECT_FALSE(lookup.Answer());

    gate.Open();
    const std::optional<HostLookupAnswer> answer = lookup.WaitUntil(Clock::now() + 5s);
    ASSERT_TRUE(answer);
    EXPECT_EQ(Dotted(answer->address), "127.0.0.1");
}

TEST(BackgroundHostLookupTest, WorkThatThrowsFailsWithItsWords)
{
    BackgroundHostLookup lookup([]() -> HostLookupAnswer { throw std::runtime_error("no memory"); },
                                {});
    const std::optional<HostLookupAnswer> answer = lookup.WaitUntil(Clock::now() + 5s);
    ASSERT_TRUE(answer);
    EXPECT_FALSE(answer->address);
    EXPECT_EQ(answer->failure, "no memory");
}

TEST(BackgroundHostLookupTest, AbandonedLookupNeverCallsOnAnswer)
{
    Gate gate;
    auto calls = std::make_shared<Counter>();
    {
        BackgroundHostLookup lookup(gate.Hold(kLoopback), [calls] { calls->Raise(); });
        ASSERT_TRUE(gate.WaitEntered());
    }
    gate.Open();
    ASSERT_TRUE(gate.WaitLeft());
    EXPECT_FALSE(calls->WaitFor(1, 200ms));
}

// The guarantee that lets an owner delete what onAnswer touches right after the lookup.
TEST(BackgroundHostLookupTest, DestructorWaitsForAnOnAnswerAlreadyRunning)
{
    Gate callbackGate;
    const BackgroundHostLookup::Work holdCallback = callbackGate.Hold({});
    auto callbackDone = std::make_shared<Counter>();
    auto lookup = std::make_unique<BackgroundHostLookup>([] { return kLoopback; },
                                                         [holdCallback, callbackDone] {
                                                             holdCallback();
                                                             callbackDone->Raise();
                                                         });
    ASSERT_TRUE(callbackGate.WaitEntered());

    Counter destroyed;
    int callbacksDoneWhenDestroyed = -1;
    std::thread destroyer([&] {
        lookup.reset();
        callbacksDoneWhenDestroyed = callbackDone->Value();
        destroyed.Raise();
    });
    EXPECT_FALSE(destroyed.WaitFor(1, 100ms));
    callbackGate.Open();
    destroyer.join();
    EXPECT_EQ(callbacksDoneWhenDestroyed, 1);
}

// The window's resolver. Results are recorded on the test's thread, where they are delivered.
struct Delivery
{
    int calls = 0;
    HostLookupAnswer answer;
    bool onStartingThread = false;
};

HostResolver::Answered Record(std::shared_ptr<Delivery> delivery)
{
    const std::thread::id startingThread = std::this_thread::get_id();
    return [delivery, startingThread](const HostLookupAnswer& answer) {
        ++delivery->calls;
        delivery->answer = answer;
        delivery->onStartingThread = std::this_thread::get_id() == startingThread;
    };
}

TEST(HostResolverTest, SystemResolverDeliversFromTheEventLoopNotInsideStart)
{
    const std::unique_ptr<HostResolver> resolver = MakeSystemHostResolver();
    for (const char* host : {"127.0.0.1", "localhost"}) {
        SCOPED_TRACE(host);
        auto delivery = std::make_shared<Delivery>();
        resolver->Start(host, Record(delivery));
        EXPECT_EQ(delivery->calls, 0);
        ASSERT_TRUE(RunUntil([&] { return delivery->calls > 0; }));
        EXPECT_TRUE(delivery->onStartingThread);
        EXPECT_EQ(Dotted(delivery->answer.address), "127.0.0.1");
        RunFor(50ms);
        EXPECT_EQ(delivery->calls, 1);
    }
}

TEST(HostResolverTest, SystemResolverPassesOnTheResolversWords)
{
    const std::unique_ptr<HostResolver> resolver = MakeSystemHostResolver();
    auto delivery = std::make_shared<Delivery>();
    resolver->Start("no-such-host.invalid", Record(delivery));
    ASSERT_TRUE(RunUntil([&] { return delivery->calls > 0; }, 30s));
    EXPECT_FALSE(delivery->answer.address);
    EXPECT_NE(delivery->answer.failure, "");
}

// A resolver whose lookups of "slow" wait for the gate and of any other host answer at once with
// loopback; `looked` counts the lookups that have given their answer. The lookups hold what they
// use, so they may outlive the resolver.
struct GatedResolver
{
    Gate gate;
    std::shared_ptr<Counter> looked = std::make_shared<Counter>();
    std::unique_ptr<HostResolver> resolver = MakeBackgroundHostResolver(
        [slow = gate.Hold(kLoopback), looked = looked](const std::string& host) {
            const HostLookupAnswer answer = host == "slow" ? slow() : kLoopback;
            looked->Raise();
            return answer;
        });
};

TEST(HostResolverTest, NewStartOrAbandonDropsTheEarlierLookup)
{
    struct Case
    {
        const char* name;
        const char* earlierHost; // "slow" is still looking when dropped
        const char* laterHost;   // started in its place; nullptr: Abandon instead
    };
    const Case cases[] = {
        {"start while still looking", "slow", "fast"},
        {"start once answered", "fast", "fast"},
        {"start a slow one while still looking", "slow", "slow"},
        {"start a slow one once answered", "fast", "slow"},
        {"abandon while still looking", "slow", nullptr},
        {"abandon once answered", "fast", nullptr},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        GatedResolver gated;
        auto earlier = std::make_shared<Delivery>();
        auto later = std::make_shared<Delivery>();
        gated.resolver->Start(test.earlierHost, Record(earlier));
        // An answered lookup's delivery is queued until the event loop runs, which it has not.
        if (std::string(test.earlierHost) == "fast") {
            ASSERT_TRUE(gated.looked->WaitFor(1));
        } else {
            ASSERT_TRUE(gated.gate.WaitEntered());
        }

        if (test.laterHost != nullptr) {
            gated.resolver->Start(test.laterHost, Record(later));
        } else {
            gated.resolver->Abandon();
        }
        RunFor(50ms); // whatever the earlier lookup queued arrives while a slow later one looks
        gated.gate.Open();
        if (test.laterHost != nullptr) {
            EXPECT_TRUE(RunUntil([&] { return later->calls > 0; }));
        }
        ASSERT_TRUE(gated.looked->WaitFor(test.laterHost != nullptr ? 2 : 1));
        RunFor(100ms);
        EXPECT_EQ(earlier->calls, 0);
        EXPECT_EQ(later->calls, test.laterHost != nullptr ? 1 : 0);
    }
}

TEST(HostResolverTest, DestroyingTheResolverWhileLookingDropsTheAnswer)
{
    GatedResolver gated;
    auto delivery = std::make_shared<Delivery>();
    gated.resolver->Start("slow", Record(delivery));
    ASSERT_TRUE(gated.gate.WaitEntered());
    gated.resolver.reset();
    gated.gate.Open();
    ASSERT_TRUE(gated.looked->WaitFor(1));
    RunFor(100ms);
    EXPECT_EQ(delivery->calls, 0);
}

TEST(HostResolverTest, AnsweredMayStartAnotherLookupOrDestroyTheResolver)
{
    GatedResolver gated;
    auto second = std::make_shared<Delivery>();
    bool destroyed = false;
    gated.resolver->Start("fast", [&](const HostLookupAnswer&) {
        gated.resolver->Start("fast", [&](const HostLookupAnswer& answer) {
            Record(second)(answer);
            gated.resolver.reset();
            destroyed = true;
        });
    });
    ASSERT_TRUE(RunUntil([&] { return destroyed; }));
    EXPECT_EQ(second->calls, 1);
    EXPECT_EQ(Dotted(second->answer.address), "127.0.0.1");
}

} // namespace
