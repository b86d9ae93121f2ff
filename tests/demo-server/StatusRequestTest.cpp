// SPDX-License-Identifier: GPL-2.0-or-later
// Which datagrams the demo server takes for a status request, and with which flags; which for a
// ping.

#include "qw-demo-server/StatusRequest.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <utility>

namespace {

struct RequestCase
{
    const char* name;
    std::string datagram;
    std::optional<int> flags;
};

class StatusRequestTest : public testing::TestWithParam<RequestCase>
{};

TEST_P(StatusRequestTest, ReadsFlagsOrRejects)
{
    EXPECT_EQ(ReadStatusRequest(GetParam().datagram), GetParam().flags);
}

INSTANTIATE_TEST_SUITE_P(
    Datagrams, StatusRequestTest,
    testing::Values(
        RequestCase{"ElevenByteRequest", std::string("\xff\xff\xff\xffstatus\n", 11), 0},
        RequestCase{"QuakestatFlags", std::string("\xff\xff\xff\xffstatus 23\n", 14), 23},
        RequestCase{"EndedByZeroByte", std::string("\xff\xff\xff\xffstatus\0", 11), 0},
        RequestCase{"FlagsEndedByZeroByte", std::string("\xff\xff\xff\xffstatus 4\0", 13), 4},
        RequestCase{"NoTerminator", std::string("\xff\xff\xff\xffstatus", 10), 0},
        RequestCase{"TextAfterTheLineIsIgnored",
                    std::string("\xff\xff\xff\xffstatus 2\nstatus 31\n", 23), 2},
        RequestCase{"LongerWord", std::string("\xff\xff\xff\xffstatuses\n", 13), std::nullopt},
        RequestCase{"OtherCommand", std::string("\xff\xff\xff\xffping\n", 9), std::nullopt},
        RequestCase{"ThreeMarkerBytes", std::string("\xff\xff\xffstatus\n", 10), std::nullopt},
        RequestCase{"NoMarker", "status\n", std::nullopt}, RequestCase{"Empty", "", std::nullopt}),
    [](const testing::TestParamInfo<RequestCase>& info) { return std::string(info.param.name); });

TEST(PingRequestTest, TakesThePingAsTheServerTokenisesIt)
{
    const std::pair<std::string, bool> cases[] = {
        {std::string("\xff\xff\xff\xffping\n", 9), true},
        {std::string("\xff\xff\xff\xffping", 8), true},
        {std::string("\xff\xff\xff\xffping\0", 9), true},
        {std::string("\xff\xff\xff\xff ping extra\n", 16), true},
        {std::string("\xff\xff\xff\xffk\n", 6), true},
        {std::string("\xff\xff\xff\xffpings\n", 10), false},
        {std::string("\xff\xff\xff\xffkk\n", 7), false},
        {std::string("\xff\xff\xff\xffstatus\n", 11), false},
        {"ping\n", false},
        {"", false},
    };
    for (const auto& [datagram, isPing] : cases)
        EXPECT_EQ(IsPingRequest(datagram), isPing) << testing::PrintToString(datagram);
}

} // namespace
