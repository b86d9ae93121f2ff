// SPDX-License-Identifier: GPL-2.0-or-later
// The events between answered replies of one watch: joins and leaves by user id, the players=N
// threshold, a full server, the match phases read from "status", and the event names.

#include "status/WatchEventTracker.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct ReplyPlayer
{
    std::int32_t userId;
    std::string name;
};

// One answered reply: its players and serverinfo pairs. The rows past the players hold a stale
// player that no comparison may see.
StatusModel Reply(std::initializer_list<ReplyPlayer> players,
                  std::initializer_list<std::pair<std::string, std::string>> info = {})
{
    StatusModel model;
    for (PlayerEntry& row : model.players) {
        row.userId = 999;
        row.name = "stale";
    }
    for (const ReplyPlayer& player : players) {
        model.players[model.playerCount].userId = player.userId;
        model.players[model.playerCount].name = player.name;
        ++model.playerCount;
    }
    for (const auto& [key, value] : info) {
        model.serverInfo.infoKeys[model.serverInfo.infoCount] = key;
        model.serverInfo.infoValues[model.serverInfo.infoCount] = value;
        ++model.serverInfo.infoCount;
    }
    model.serverEmpty = model.playerCount == 0;
    return model;
}

StatusModel Status(const std::string& value)
{
    return Reply({{101, "a"}}, {{"status", value}});
}

// An event as one short line: its name, then what it carries.
std::string Describe(const WatchEvent& event)
{
    std::string text = WatchEventName(event);
    for (const EventPlayer& player : event.players)
        text += " " + std::to_string(player.userId) + "=" + player.name;
    if (event.kind == WatchEventKind::Players || event.kind == WatchEventKind::Full)
        text += " " + std::to_string(event.playerCount) + "/" + std::to_string(event.threshold);
    if (event.kind == WatchEventKind::MatchStart || event.kind == WatchEventKind::MatchEnd)
        text += " '" + event.status + "'";
    return text;
}

struct EventCase
{
    const char* name;
    std::optional<std::int32_t> playersThreshold;
    std::vector<StatusModel> replies;  // answered replies of one watch, in order
    std::vector<std::string> expected; // the events of all comparisons, in order

    friend void PrintTo(const EventCase& testCase, std::ostream* out) { *out << testCase.name; }
};

class WatchEventTableTest : public testing::TestWithParam<EventCase>
{};

TEST_P(WatchEventTableTest, GivesTheEventsBetweenReplies)
{
    const EventCase& testCase = GetParam();
    WatchEventTracker tracker(testCase.playersThreshold);
    std::vector<std::string> events;
    for (const StatusModel& reply : testCase.replies)
        for (const WatchEvent& event : tracker.Compare(reply))
            events.push_back(Describe(event));
    EXPECT_EQ(events, testCase.expected);
}

const StatusModel kFour = Reply({{101, "a"}, {102, "b"}, {103, "c"}, {104, "d"}});

INSTANTIATE_TEST_SUITE_P(
    Cases, WatchEventTableTest,
    testing::Values(
        EventCase{"FirstReplyIsTheBaseline",
                  4,
                  {Reply({{101, "a"}, {102, "b"}, {103, "c"}, {104, "d"}},
                         {{"maxclients", "4"}, {"status", "20 min left"}})},
                  {}},
        EventCase{"SamePlayersInAnotherOrderGiveNothing",
                  std::nullopt,
                  {kFour, Reply({{104, "d"}, {102, "b"}, {101, "a"}, {103, "c"}})},
                  {}},
        EventCase{"JoinAndLeaveByUserIdWithTheirNames",
                  std::nullopt,
                  {Reply({{101, "a"}, {102, "b"}}), Reply({{102, "b"}, {105, "e"}})},
                  {"leave 101=a", "join 105=e"}},
        EventCase{"SameNameWithANewUserIdIsALeaveAndAJoin",
                  std::nullopt,
                  {Reply({{101, "a"}}), Reply({{107, "a"}})},
                  {"leave 101=a", "join 107=a"}},
        EventCase{"RenameAloneIsNoEventAndLeavesTellTheNamesOfTheLastChange",
                  std::nullopt,
                  {Reply({{101, "a"}, {102, "b"}}), Reply({{101, "a2"}, {102, "b"}}),
                   Reply({{101, "a2"}, {102, "b2"}, {103, "c"}}), Reply({{103, "c"}})},
                  {"join 103=c", "leave 101=a2", "leave 102=b2"}},
        EventCase{"NamesAreComparedAsBytesAndKeptAsBytes",
                  std::nullopt,
                  {Reply({{101, "\x91\xe1"}}), Reply({{101, "\x91\xe1"}, {102, "\x91\x61"}})},
                  {"join 102=\x91\x61"}},
        EventCase{"ThreeJoinsAreThreeEvents",
                  std::nullopt,
                  {Reply({}), Reply({{101, "a"}, {102, "b"}, {103, "c"}})},
                  {"join 101=a", "join 102=b", "join 103=c"}},
        EventCase{"MoreThanThreeJoinsAreOneEventWithAllNames",
                  std::nullopt,
                  {Reply({}), kFour},
                  {"join 101=a 102=b 103=c 104=d"}},
        EventCase{"MoreThanThreeLeavesAreOneEventWithAllNames",
                  std::nullopt,
                  {kFour, Reply({})},
                  {"leave 101=a 102=b 103=c 104=d"}},
        EventCase{"AUserIdListedTwiceCountsOnce",
                  std::nullopt,
                  {Reply({{101, "a"}}), Reply({{101, "a"}, {105, "e"}, {105, "e"}}),
                   Reply({{101, "a"}, {105, "e"}})},
                  {"join 105=e"}},
        EventCase{"PlayersThresholdWhenReachedFromBelow",
                  4,
                  {Reply({{101, "a"}, {102, "b"}, {103, "c"}}), kFour,
                   Reply({{101, "a"}, {102, "b"}, {103, "c"}, {104, "d"}, {105, "e"}}),
                   Reply({{101, "a"}, {102, "b"}, {103, "c"}}), kFour},
                  {"join 104=d", "players=4 4/4", "join 105=e", "leave 104=d", "leave 105=e",
                   "join 104=d", "players=4 4/4"}},
        EventCase{"PlayersThresholdPassedInOneStep",
                  2,
                  {Reply({}), Reply({{101, "a"}, {102, "b"}, {103, "c"}})},
                  {"join 101=a", "join 102=b", "join 103=c", "players=2 3/2"}},
        EventCase{"NoThresholdNoPlayersEvent",
                  std::nullopt,
                  {Reply({}), Reply({{101, "a"}})},
                  {"join 101=a"}},
        EventCase{"FullWhenTheCountReachesMaxclients",
                  std::nullopt,
                  {Reply({{101, "a"}}, {{"maxclients", "2"}}),
                   Reply({{101, "a"}, {102, "b"}}, {{"maxclients", "2"}})},
                  {"join 102=b", "full 2/2"}},
        EventCase{"MaxclientsThatIsNoNumberGivesNoFull",
                  std::nullopt,
                  {Reply({{101, "a"}}, {{"maxclients", "2x"}}),
                   Reply({{101, "a"}, {102, "b"}}, {{"maxclients", "2x"}}),
                   Reply({{101, "a"}}, {{"maxclients", ""}}),
                   Reply({{101, "a"}, {102, "b"}}, {{"maxclients", " 2"}})},
                  {"join 102=b", "leave 102=b", "join 102=b"}},
        EventCase{"StandbyToMinutesLeftStartsTheMatch",
                  std::nullopt,
                  {Status("Standby"), Status("20 min left")},
                  {"match-start '20 min left'"}},
        EventCase{"CountdownToSecondsLeftStartsTheMatch",
                  std::nullopt,
                  {Status("Countdown"), Status("45 sec left")},
                  {"match-start '45 sec left'"}},
        EventCase{"RunningCountsDownWithoutEvents",
                  std::nullopt,
                  {Status("20 min left"), Status("19 min left"), Status("0 min left"),
                   Status("30 sec left")},
                  {}},
        EventCase{"WaitingValuesAmongThemselvesGiveNothing",
                  std::nullopt,
                  {Status("Standby"), Status("Countdown"), Status("Standby")},
                  {}},
        EventCase{"RunningToStandbyEndsTheMatch",
                  std::nullopt,
                  {Status("1 min left"), Status("Standby")},
                  {"match-end 'Standby'"}},
        EventCase{"RunningToNoKeyEndsTheMatch",
                  std::nullopt,
                  {Status("3 min left"), Reply({{101, "a"}})},
                  {"match-end ''"}},
        EventCase{"WordsAreReadWithoutRegardToCase",
                  std::nullopt,
                  {Status("STANDBY"), Status("5 MIN LEFT"), Status("countdown")},
                  {"match-start '5 MIN LEFT'", "match-end 'countdown'"}},
        EventCase{"UnknownValuesArePassedOver",
                  std::nullopt,
                  {Status("Standby"), Status("Overtime"), Status("10 min left"), Status("min left"),
                   Status("10 min left later"), Status("Standby")},
                  {"match-start '10 min left'", "match-end 'Standby'"}},
        EventCase{"ServerWithoutTheKeyGivesNoMatchEvents",
                  std::nullopt,
                  {Reply({{101, "a"}}), Reply({{101, "a"}}, {{"status", "20 min left"}})},
                  {}},
        EventCase{
            "ABaselineWhileRunningEndsOnStandby",
            std::nullopt,
            {Status("7 min left"), Status("Standby"), Status("Countdown"), Status("20 min left")},
            {"match-end 'Standby'", "match-start '20 min left'"}}),
    [](const testing::TestParamInfo<EventCase>& info) { return info.param.name; });

// Every pair of phases: the rule the tracker and the timeline share.
TEST(MatchTransitionTest, StartsOnWaitingToRunningAndEndsWhenRunningStops)
{
    using enum MatchPhase;
    const std::optional<WatchEventKind> none;
    struct TransitionCase
    {
        MatchPhase before;
        MatchPhase after;
        std::optional<WatchEventKind> expected;
    };
    const TransitionCase cases[] = {
        {Waiting, Running, WatchEventKind::MatchStart},
        {Running, Waiting, WatchEventKind::MatchEnd},
        {Running, NoStatus, WatchEventKind::MatchEnd},
        {Running, Running, none},
        {Running, Other, none},
        {Waiting, Waiting, none},
        {Waiting, NoStatus, none},
        {Waiting, Other, none},
        {NoStatus, Running, none},
        {NoStatus, Waiting, none},
        {NoStatus, NoStatus, none},
        {NoStatus, Other, none},
        {Other, Running, none},
        {Other, Waiting, none},
        {Other, NoStatus, none},
        {Other, Other, none},
    };
    for (const TransitionCase& testCase : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(testCase.before) << " to "
                                        << static_cast<int>(testCase.after));
        EXPECT_EQ(MatchTransition(testCase.before, testCase.after), testCase.expected);
    }
}

TEST(WatchEventTrackerTest, ResetMakesTheNextReplyABaseline)
{
    WatchEventTracker tracker;
    tracker.Compare(Reply({{101, "a"}}));
    tracker.Reset();
    EXPECT_TRUE(tracker.Compare(kFour).empty());
    EXPECT_EQ(tracker.Compare(Reply({{101, "a"}})).size(), 3u); // b, c and d left
}

TEST(WatchEventTrackerTest, EventsCarryTheHostnameOfTheirReply)
{
    WatchEventTracker tracker;
    tracker.Compare(Reply({}, {{"hostname", "old"}}));
    const std::vector<WatchEvent> events =
        tracker.Compare(Reply({{101, "a"}}, {{"hostname", "Demo \x91x"}}));
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].hostname, "Demo \x91x");
}

TEST(WatchEventTrackerTest, ThirtyThreePlayersAllReplacedAtOnce)
{
    StatusModel before;
    StatusModel after;
    for (std::int32_t row = 0; row < kMaxPlayers; ++row) {
        before.players[row].userId = row;
        after.players[row].userId = 1000 + row * 64; // ids that share hash slots
    }
    before.playerCount = after.playerCount = kMaxPlayers;
    WatchEventTracker tracker;
    tracker.Compare(before);
    const std::vector<WatchEvent> events = tracker.Compare(after);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].players.size(), 33u);
    EXPECT_EQ(events[1].players.size(), 33u);
    EXPECT_TRUE(tracker.Compare(after).empty());
}

struct NameCase
{
    const char* name;
    std::vector<std::string> typed;
    std::vector<std::string> chosen; // empty with an error
    bool fails;
};

TEST(EventSelectionTest, ReadsEventNames)
{
    const NameCase cases[] = {
        {"AllNames",
         {"match-end", "join", "leave", "players=8", "full", "match-start"},
         {"join", "leave", "players=8", "full", "match-start", "match-end"},
         false},
        {"LaterPlayersReplacesEarlier", {"players=4", "players=64"}, {"players=64"}, false},
        {"LowestThreshold", {"players=1"}, {"players=1"}, false},
        {"ZeroPlayers", {"players=0"}, {}, true},
        {"TooManyPlayers", {"players=65"}, {}, true},
        {"NoNumber", {"players="}, {}, true},
        {"SignedNumber", {"players=+4"}, {}, true},
        {"TrailingText", {"players=4x"}, {}, true},
        {"HugeNumber", {"players=99999999999999999999"}, {}, true},
        {"UnknownName", {"joins"}, {}, true},
        {"NameWithoutNumber", {"players=N"}, {}, true},
        {"CaseMatters", {"Join"}, {}, true},
    };
    for (const NameCase& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        EventSelection selection;
        bool failed = false;
        for (const std::string& name : testCase.typed) {
            const Result<bool> added = selection.Add(name);
            if (!added) {
                failed = true;
                EXPECT_NE(added.Error().find(name), std::string::npos) << added.Error();
            }
        }
        EXPECT_EQ(failed, testCase.fails);
        if (!testCase.fails) {
            EXPECT_EQ(selection.Names(), testCase.chosen);
        }
    }
}

TEST(EventSelectionTest, IncludesOnlyTheChosenThreshold)
{
    EventSelection selection;
    ASSERT_TRUE(selection.Add("players=4"));
    EXPECT_TRUE(selection.Includes(PlayerCountEvent(WatchEventKind::Players, 4, 4)));
    EXPECT_FALSE(selection.Includes(PlayerCountEvent(WatchEventKind::Players, 8, 8)));
    EXPECT_FALSE(selection.Includes(PlayerListEvent(WatchEventKind::Join, {{101, "a"}})));
}

TEST(WatchEventSummaryTest, TellsEventsReadably)
{
    const std::pair<WatchEvent, std::string> cases[] = {
        {PlayerListEvent(WatchEventKind::Join, {{101, "\x90\xe1lice"}}), "[alice joined"},
        {PlayerListEvent(WatchEventKind::Leave, {{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}}),
         "4 players left"},
        {PlayerCountEvent(WatchEventKind::Players, 8, 8), "8 players"},
        {PlayerCountEvent(WatchEventKind::Players, 1, 1), "1 player"},
        {PlayerCountEvent(WatchEventKind::Full, 16, 16), "Server full (16 players)"},
        {MatchPhaseEvent(WatchEventKind::MatchStart, "20 min left"), "Match started (20 min left)"},
        {MatchPhaseEvent(WatchEventKind::MatchEnd, ""), "Match ended"},
    };
    for (const auto& [event, expected] : cases)
        EXPECT_EQ(WatchEventSummary(event), expected);
    EXPECT_EQ(WatchEventPlayerNames(cases[1].first), "a, b, c, d");
}

} // namespace
