// SPDX-License-Identifier: GPL-2.0-or-later
// The collection of one reply with and without the ping fence: when it ends, how long it waits
// after each datagram, and what joins the text, for every order in which the datagrams and the
// acknowledgement can arrive.

#include "status/ReplyCollector.h"

#include "status/ReplyDatagram.h"
#include "status/StatusWireFormat.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = ReplyCollector::Clock;

const Clock::time_point kSent{};
const Clock::time_point kDeadline = kSent + 2s;

std::string Datagram(const std::string& text)
{
    return std::string(kPrintHeader) + text + std::string(1, '\0');
}

// A reply that ends well short of the print buffer: complete at once.
const std::string kShort = Datagram("\\map\\dm3\n1 2 3 4 \"a\" \"red\" 4 4\n");
// A datagram whose text fills the print buffer up to its threshold: more may follow.
const std::string kNearlyFull =
    Datagram("\\map\\dm3\n1 2 3 4 \"" + std::string(kContinuationThreshold, 'x') + "\" \"\" 0 0\n");
const std::string kLastPart = Datagram("17 5 6 7 \"next\" \"red\" 4 4\n");
const std::string kAck(1, kAcknowledgement);

struct Arrival
{
    std::string datagram;
    std::chrono::microseconds at; // since the request went out
    // What Take returns: the end of the next wait since the request, or nothing (complete).
    std::optional<std::chrono::microseconds> waitsUntil;
};

struct FenceCase
{
    const char* name;
    ReplyFence fence;
    std::vector<Arrival> arrivals;
    std::string text; // the collected text at the end
};

// Round trip 200 µs throughout: the quiet period is its floor (3 ms), the grace its floor too.
constexpr std::chrono::microseconds kQuiet = kQuietFloor;
constexpr std::chrono::microseconds kGrace = kFenceGraceFloor;

const FenceCase kCases[] = {
    {"short reply ends at its datagram",
     ReplyFence::Ping,
     {{kShort, 200us, {}}},
     kShort.substr(0, kShort.size() - 1)},
    {"ack after a nearly full datagram ends the wait early",
     ReplyFence::Ping,
     {{kNearlyFull, 200us, 200us + kQuiet}, {kAck, 260us, 260us + kGrace}},
     kNearlyFull.substr(0, kNearlyFull.size() - 1)},
    {"ack first leaves the wait to the deadline, then the reply ends it",
     ReplyFence::Ping,
     {{kAck, 200us, 2s}, {kShort, 230us, {}}},
     kShort.substr(0, kShort.size() - 1)},
    {"ack first, then a nearly full datagram waits only the grace",
     ReplyFence::Ping,
     {{kAck, 200us, 2s}, {kNearlyFull, 230us, 230us + kGrace}},
     kNearlyFull.substr(0, kNearlyFull.size() - 1)},
    {"no ack keeps the quiet period",
     ReplyFence::Ping,
     {{kNearlyFull, 200us, 200us + kQuiet}},
     kNearlyFull.substr(0, kNearlyFull.size() - 1)},
    {"split reply ends at its last part",
     ReplyFence::Ping,
     {{kNearlyFull, 200us, 200us + kQuiet}, {kLastPart, 210us, {}}},
     kNearlyFull.substr(0, kNearlyFull.size() - 1) +
         kLastPart.substr(kPrintHeader.size(), kLastPart.size() - kPrintHeader.size() - 1)},
    {"ack that overtook the last part of a split reply does not cut it",
     ReplyFence::Ping,
     {{kNearlyFull, 200us, 200us + kQuiet}, {kAck, 205us, 205us + kGrace}, {kLastPart, 250us, {}}},
     kNearlyFull.substr(0, kNearlyFull.size() - 1) +
         kLastPart.substr(kPrintHeader.size(), kLastPart.size() - kPrintHeader.size() - 1)},
    {"without a fence an l is reply text", ReplyFence::None, {{kAck, 200us, 200us + kQuiet}}, kAck},
    {"datagram of no bytes ends the exchange", ReplyFence::Ping, {{"", 200us, {}}}, ""},
};

TEST(ReplyCollectorTest, FenceOutcomes)
{
    for (const FenceCase& test : kCases) {
        SCOPED_TRACE(test.name);
        ReplyCollector collector(test.fence, kSent, kDeadline);
        for (std::size_t index = 0; index < test.arrivals.size(); ++index) {
            const Arrival& arrival = test.arrivals[index];
            const std::optional<Clock::time_point> next =
                collector.Take(arrival.datagram, kSent + arrival.at);
            ASSERT_EQ(next.has_value(), arrival.waitsUntil.has_value()) << "arrival " << index;
            if (next) {
                EXPECT_EQ(*next - kSent, *arrival.waitsUntil) << "arrival " << index;
            }
        }
        EXPECT_EQ(collector.Text(), test.text);
    }
}

TEST(ReplyCollectorTest, WaitsNeverPassTheDeadline)
{
    ReplyCollector collector(ReplyFence::Ping, kSent, kSent + 1ms);
    EXPECT_EQ(collector.Take(kNearlyFull, kSent + 900us), kSent + 1ms);
    EXPECT_EQ(collector.Take(kAck, kSent + 990us), kSent + 1ms);
}

TEST(ReplyCollectorTest, AcknowledgementForms)
{
    const std::pair<std::string, bool> cases[] = {
        {"l", true},
        {"\xff\xff\xff\xffl", true},
        {std::string("\xff\xff\xff\xffl\0", 6), true},
        {"l\n", true},
        {"", false},
        {"ll", false},
        {"lx", false},
        {"k", false},
        {"\xff\xff\xff\xff", false},
        {Datagram("l"), false}, // a print whose text is "l"
    };
    for (const auto& [datagram, acknowledges] : cases)
        EXPECT_EQ(IsPingAcknowledgement(datagram), acknowledges)
            << testing::PrintToString(datagram);
}

TEST(ReplyCollectorTest, GraceIsAShareOfTheRoundTripWithinItsBounds)
{
    EXPECT_EQ(ReplyFenceGrace(0ns), kFenceGraceFloor);
    EXPECT_EQ(ReplyFenceGrace(2ms), 500us);
    EXPECT_EQ(ReplyFenceGrace(1s), kFenceGraceCeiling);
    // The grace after the acknowledgement never exceeds what the reply would wait without it.
    for (const std::chrono::nanoseconds roundTrip :
         std::initializer_list<std::chrono::nanoseconds>{0ns, 100us, 1ms, 10ms, 100ms, 1s})
        EXPECT_LT(ReplyFenceGrace(roundTrip), ReplyQuietPeriod(roundTrip));
}

} // namespace
