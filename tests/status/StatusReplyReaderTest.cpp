// SPDX-License-Identifier: GPL-2.0-or-later
// The reply reader over small hand-written replies: header, serverinfo section, player lines,
// and the malformed and oversized replies a server (or anyone) may send.

#include "status/StatusReplyReader.h"

#include "StatusTestSupport.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// The out-of-band header before every reply: four 0xff bytes, then 'n' (a print packet).
const std::string kHeader = "\xff\xff\xff\xff"
                            "n";

// Two well-formed player lines (without their newline) and what they read as.
// userId frags minutes ping "name" "skin" topColor bottomColor
const std::string kAliceLine = "3 12 25 40 \"alice\" \"base\" 4 13";
const std::string kBobLine = "5 7 10 55 \"bob\" \"tf_scout\" 13 4";
const PlayerEntry kAlice = Player(3, 12, 25, 40, "alice", "base", 4, 13);
const PlayerEntry kBob = Player(5, 7, 10, 55, "bob", "tf_scout", 13, 4);

// A section long enough on its own to pass the length threshold.
const std::string kSection = "\\maxclients\\8\\map\\dm4\n";

using Pairs = std::vector<std::pair<std::string, std::string>>;
const Pairs kSectionPairs = {{"maxclients", "8"}, {"map", "dm4"}};

struct ReaderCase
{
    std::string name;
    std::string reply;
    Pairs pairs;
    std::vector<PlayerEntry> players;

    // Failure messages name the case instead of dumping its bytes.
    friend void PrintTo(const ReaderCase& testCase, std::ostream* out) { *out << testCase.name; }
};

void ExpectModel(const StatusModel& model, const Pairs& pairs,
                 const std::vector<PlayerEntry>& players)
{
    ASSERT_EQ(model.serverInfo.infoCount, static_cast<std::int32_t>(pairs.size()));
    for (std::size_t index = 0; index < pairs.size(); ++index) {
        SCOPED_TRACE("pair " + std::to_string(index));
        EXPECT_EQ(model.serverInfo.infoKeys[index], pairs[index].first);
        EXPECT_EQ(model.serverInfo.infoValues[index], pairs[index].second);
    }
    ASSERT_EQ(model.playerCount, static_cast<std::int32_t>(players.size()));
    for (std::size_t row = 0; row < players.size(); ++row) {
        SCOPED_TRACE("row " + std::to_string(row));
        EXPECT_EQ(model.players[row], players[row]);
    }
    EXPECT_EQ(model.serverEmpty, players.empty());
}

class StatusReplyReaderTest : public testing::TestWithParam<ReaderCase>
{};

TEST_P(StatusReplyReaderTest, ReadsReply)
{
    StatusModel model;
    ReadStatusReply(GetParam().reply, model);
    ExpectModel(model, GetParam().pairs, GetParam().players);
}

std::vector<ReaderCase> ReaderCases()
{
    return {
        {"SectionThenPlayers",
         kHeader + kSection + kAliceLine + "\n" + kBobLine + "\n",
         kSectionPairs,
         {kAlice, kBob}},
        {"HeaderIsSkippedWhateverItHolds",
         "\xff\xff\xff\xff" + std::string("n 9 9 9 9 \"x\" \"y\" 1 2\n") + kSection + kAliceLine,
         kSectionPairs,
         {kAlice}},
        {"TextWithoutBackslashGivesNothing",
         kHeader + "no serverinfo here\n" + kAliceLine + "\n",
         {},
         {}},
        {"KeyEndedByNewlineGetsEmptyValue",
         kHeader + "\\map\\dm4\\lonely\n" + kAliceLine,
         {{"map", "dm4"}, {"lonely", ""}},
         {kAlice}},
        {"KeyEndedByBackslashAndNewlineGetsEmptyValue",
         kHeader + "\\map\\dm4\\lonely\\\n" + kAliceLine,
         {{"map", "dm4"}, {"lonely", ""}},
         {kAlice}},
        {"BackslashClosingValueBeforeNewlineAddsNoPair",
         kHeader + "\\map\\dm4\\\n" + kAliceLine,
         {{"map", "dm4"}},
         {kAlice}},
        {"NewlineRightAfterFirstBackslashGivesNoPairs",
         kHeader + "\\\n" + kAliceLine,
         {},
         {kAlice}},
        {"EmptyKeysAndValuesAreStored",
         kHeader + "\\\\v\\k\\\\x\\y\n" + kAliceLine,
         {{"", "v"}, {"k", ""}, {"x", "y"}},
         {kAlice}},
        {"RepeatedKeysAreKept",
         kHeader + "\\map\\dm4\\map\\e1m1\n" + kAliceLine,
         {{"map", "dm4"}, {"map", "e1m1"}},
         {kAlice}},
        {"SectionToEndOfTextKeepsUnfinishedValue",
         kHeader + "\\hostname\\Arena\\map\\dm6",
         {{"hostname", "Arena"}, {"map", "dm6"}},
         {}},
        {"SectionToEndOfTextKeepsUnfinishedKey",
         kHeader + "\\hostname\\Arena\\timelimit",
         {{"hostname", "Arena"}, {"timelimit", ""}},
         {}},
        {"SectionEndingInBackslashAtEndOfTextAddsNoPair",
         kHeader + "\\hostname\\Arena\\map\\dm6\\",
         {{"hostname", "Arena"}, {"map", "dm6"}},
         {}},
        {"SectionWithoutPlayersLeavesServerEmpty", kHeader + kSection, kSectionPairs, {}},
        {"EmptyLineEndsPlayers",
         kHeader + kSection + kAliceLine + "\n\n" + kBobLine + "\n",
         kSectionPairs,
         {kAlice}},
        {"FiveCharacterLineEndsPlayers",
         kHeader + kSection + kAliceLine + "\n1 2 3\n" + kBobLine + "\n",
         kSectionPairs,
         {kAlice}},
        {"SixCharacterLineIsAPlayer",
         kHeader + kSection + kAliceLine + "\n1 2 3 \n" + kBobLine + "\n",
         kSectionPairs,
         {kAlice, Player(1, 2, 3, 0, "", "", 0, 0), kBob}},
        {"LastLineWithoutNewlineIsRead",
         kHeader + kSection + kAliceLine + "\n" + kBobLine,
         kSectionPairs,
         {kAlice, kBob}},
        {"CarriageReturnAfterBottomColorIsHarmless",
         kHeader + kSection + kAliceLine + "\r\n" + kBobLine + " \r\n",
         kSectionPairs,
         {kAlice, kBob}},
        {"PingAboveLimitIsClamped",
         kHeader + kSection +
             // ping 10000, 9999, -1 and one beyond 32 bits
             "1 0 0 10000 \"a\" \"s\" 0 0\n"
             "2 0 0 9999 \"b\" \"s\" 0 0\n"
             "3 0 0 -1 \"c\" \"s\" 0 0\n"
             "4 0 0 99999999999 \"d\" \"s\" 0 0\n",
         kSectionPairs,
         {Player(1, 0, 0, 9999, "a", "s", 0, 0), Player(2, 0, 0, 9999, "b", "s", 0, 0),
          Player(3, 0, 0, -1, "c", "s", 0, 0), Player(4, 0, 0, 9999, "d", "s", 0, 0)}},
        {"NameWithSpacesAndHighBitBytesIsReadWhole",
         kHeader + kSection + "9 1 2 3 \"\x10RED\x11 big \xe2\xef\xe2\" \"base\" 1 2\n",
         kSectionPairs,
         {Player(9, 1, 2, 3, "\x10RED\x11 big \xe2\xef\xe2", "base", 1, 2)}},
        {"EmptyNameAndSkinKeepLaterFields",
         kHeader + kSection + "4 1 2 3 \"\" \"\" 5 6\n",
         kSectionPairs,
         {Player(4, 1, 2, 3, "", "", 5, 6)}},
        {"TwoSpacesShiftEveryLaterField",
         // The empty field reads as frags 0; from there every field starts one place late.
         kHeader + kSection + "7  12 30 45 \"bob\" \"base\" 4 13\n",
         kSectionPairs,
         {Player(7, 0, 12, 30, "5 ", "b", 0, 4)}},
        {"SignsAndTrailingLettersInNumbers",
         kHeader + kSection + "+8 -3 12min 40ms \"x\" \"y\" -1 14\n",
         kSectionPairs,
         {Player(8, -3, 12, 40, "x", "y", -1, 14)}},
        {"NumbersBeyond32BitsSaturate",
         kHeader + kSection + "99999999999 -99999999999 5 5 \"x\" \"y\" 4294967297 -4294967297\n",
         kSectionPairs,
         {Player(kMax, kMin, 5, 5, "x", "y", kMax, kMin)}},
        {"LineEndingAfterPingLeavesRestEmpty",
         kHeader + kSection + "12 5 30 45\n" + kBobLine,
         kSectionPairs,
         {Player(12, 5, 30, 45, "", "", 0, 0), kBob}},
        {"NameWithoutClosingQuoteRunsToLineEnd",
         kHeader + kSection + "1 2 3 4 \"never closed\n" + kBobLine,
         kSectionPairs,
         {Player(1, 2, 3, 4, "never closed", "", 0, 0), kBob}},
        {"LineWithoutSeparatorsReadsAsZeros",
         kHeader + kSection + "abcdefgh\n" + kBobLine,
         kSectionPairs,
         {Player(0, 0, 0, 0, "", "", 0, 0), kBob}},
    };
}

INSTANTIATE_TEST_SUITE_P(Cases, StatusReplyReaderTest, testing::ValuesIn(ReaderCases()),
                         [](const testing::TestParamInfo<ReaderCase>& info) {
                             return info.param.name;
                         });

TEST(StatusReplyReaderLengthTest, TextOf25CharactersHasNoSection)
{
    // Without the section the player lines start right after the first backslash.
    const std::string reply = "\\1 5 3 4 \"name\" \"sk\" 7 8\n";
    ASSERT_EQ(reply.size(), 25u);
    StatusModel model;
    ReadStatusReply(reply, model);
    ExpectModel(model, {}, {Player(1, 5, 3, 4, "name", "sk", 7, 8)});
}

TEST(StatusReplyReaderLengthTest, TextOf26CharactersHasItsSectionRead)
{
    // One byte more and the same line is a serverinfo key without a value.
    const std::string reply = "\\1 5 3 4 \"name\" \"sk\" 7 89\n";
    ASSERT_EQ(reply.size(), 26u);
    StatusModel model;
    ReadStatusReply(reply, model);
    ExpectModel(model, {{"1 5 3 4 \"name\" \"sk\" 7 89", ""}}, {});
}

TEST(StatusReplyReaderLimitsTest, PairsBeyondTableRoomAreDroppedAndPlayersStillFound)
{
    std::string reply = kHeader;
    Pairs firstPairs;
    for (int index = 0; index < 40; ++index) {
        const std::string key = "key" + std::to_string(index);
        const std::string value = "value" + std::to_string(index);
        reply += "\\" + key + "\\" + value;
        if (index < kMaxServerInfoPairs)
            firstPairs.emplace_back(key, value);
    }
    reply += "\n" + kAliceLine + "\n";

    StatusModel model;
    ReadStatusReply(reply, model);
    ExpectModel(model, firstPairs, {kAlice});
}

TEST(StatusReplyReaderLimitsTest, PlayerLinesBeyondModelRoomAreDropped)
{
    std::string reply = kHeader + kSection;
    std::vector<PlayerEntry> firstPlayers;
    for (int userId = 1; userId <= 50; ++userId) {
        reply += std::to_string(userId) + " 1 2 3 \"p\" \"s\" 4 5\n";
        if (userId <= kMaxPlayers)
            firstPlayers.push_back(Player(userId, 1, 2, 3, "p", "s", 4, 5));
    }

    StatusModel model;
    ReadStatusReply(reply, model);
    ExpectModel(model, kSectionPairs, firstPlayers);
}

TEST(StatusReplyReaderStateTest, EachReadStartsFromEmptyCounts)
{
    StatusModel model;
    ReadStatusReply(kHeader + kSection + kAliceLine + "\n" + kBobLine, model);
    ASSERT_EQ(model.playerCount, 2);

    ReadStatusReply(kHeader + "\\map\\e1m1\\hostname\\Arena\n", model);
    ExpectModel(model, {{"map", "e1m1"}, {"hostname", "Arena"}}, {});

    ReadStatusReply(kHeader + kSection + kBobLine, model);
    ReadStatusReply("", model);
    ExpectModel(model, {}, {});
}

TEST(StatusReplyReaderStateTest, ReusedRowKeepsNothingOfItsLastPlayer)
{
    StatusModel model;
    ReadStatusReply(kHeader + kSection + kAliceLine, model);
    ReadStatusReply(kHeader + kSection + "12 5 30 45", model);
    ExpectModel(model, kSectionPairs, {Player(12, 5, 30, 45, "", "", 0, 0)});
}

} // namespace
