// SPDX-License-Identifier: GPL-2.0-or-later
// qw-demo-server as a process: what it answers on the wire (status and ping), which datagrams it
// ignores, and how it starts and stops.

#include "DemoServerRunner.h"
#include "QueryRunner.h"

#include <algorithm>
#include <arpa/inet.h>
#include <array>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A UDP client on an ephemeral loopback port, talking to one server port.
class UdpClient
{
public:
    explicit UdpClient(unsigned port) : udp(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_in server{};
        server.sin_family = AF_INET;
        server.sin_port = htons(static_cast<std::uint16_t>(port));
        server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connect(udp, reinterpret_cast<const sockaddr*>(&server), sizeof server);
    }
    ~UdpClient() { close(udp); }

    void Send(const std::string& datagram) { send(udp, datagram.data(), datagram.size(), 0); }

    // The next datagram, or nothing if none comes within the wait.
    std::optional<std::string> Receive(int waitMilliseconds = 2000)
    {
        pollfd readable{udp, POLLIN, 0};
        if (poll(&readable, 1, waitMilliseconds) != 1)
            return std::nullopt;
        std::array<char, 8192> buffer;
        const ssize_t length = recv(udp, buffer.data(), buffer.size(), 0);
        if (length < 0)
            return std::nullopt;
        return std::string(buffer.data(), static_cast<std::size_t>(length));
    }

private:
    int udp;
};

const std::vector<std::string> kFrozen{"--speed", "0", "--players", "3"};

std::vector<std::string> Concat(std::vector<std::string> first,
                                const std::vector<std::string>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST(DemoServerProcessTest, AnswersEveryRequestFormWithAPrintReply)
{
    DemoServerRunner server(kFrozen);
    ASSERT_NE(server.Port(), 0u) << server.Process().ErrorText();
    UdpClient client(server.Port());

    client.Send(std::string("\xff\xff\xff\xffstatus\n", 11));
    const auto plain = client.Receive();
    ASSERT_TRUE(plain);
    EXPECT_TRUE(plain->starts_with("\xff\xff\xff\xffn\\hostname\\"));
    EXPECT_TRUE(plain->ends_with(std::string("\n\0", 2)));
    EXPECT_EQ(std::count(plain->begin(), plain->end(), '\n'), 1 + 3);

    client.Send(std::string("\xff\xff\xff\xffstatus\0", 11));
    EXPECT_EQ(client.Receive(), plain);

    // quakestat's request adds the spectator and each client's team.
    client.Send("\xff\xff\xff\xffstatus 23\n");
    const auto full = client.Receive();
    ASSERT_TRUE(full);
    EXPECT_EQ(std::count(full->begin(), full->end(), '\n'), 1 + 3 + 1);
    EXPECT_NE(full->find(" -9999 "), std::string::npos);
    EXPECT_NE(full->find("\"\\s\\"), std::string::npos);
}

TEST(DemoServerProcessTest, IgnoresOtherDatagrams)
{
    DemoServerRunner server(Concat(kFrozen, {"--verbose"}));
    ASSERT_NE(server.Port(), 0u) << server.Process().ErrorText();
    UdpClient client(server.Port());
    for (const std::string& other :
         {std::string("\xff\xff\xff\xffrcon x\n"), std::string("status\n"), std::string("ping\n"),
          std::string(""), std::string(3000, '\xff')})
        client.Send(other);
    client.Send(std::string("\xff\xff\xff\xffstatus\n", 11));
    const auto reply = client.Receive();
    ASSERT_TRUE(reply);
    EXPECT_TRUE(reply->starts_with("\xff\xff\xff\xffn"));
    EXPECT_FALSE(client.Receive(200)) << "one reply, to the status request only";
    EXPECT_TRUE(server.Process().WaitForLine("ignored datagram"));
}

TEST(DemoServerProcessTest, AnswersPingAfterTheStatusReplyWithOneByte)
{
    struct Case
    {
        const char* scenario;
        std::optional<std::string> acknowledgement;
    };
    const Case cases[] = {{"normal", "l"}, {"full", "l"}, {"no-ack", std::nullopt}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.scenario);
        DemoServerRunner server(Concat(kFrozen, {"--scenario", test.scenario}));
        ASSERT_NE(server.Port(), 0u) << server.Process().ErrorText();
        UdpClient client(server.Port());
        client.Send(std::string("\xff\xff\xff\xffstatus\n", 11));
        client.Send(std::string("\xff\xff\xff\xffping\n", 9));
        // Every datagram of the reply first, then the acknowledgement.
        std::optional<std::string> datagram = client.Receive();
        ASSERT_TRUE(datagram);
        while (datagram && datagram->starts_with("\xff\xff\xff\xffn"))
            datagram = client.Receive(test.acknowledgement ? 2000 : 200);
        EXPECT_EQ(datagram, test.acknowledgement);
    }
}

TEST(DemoServerProcessTest, StopsCleanlyOnSignalOrByItself)
{
    DemoServerRunner signalled(kFrozen);
    ASSERT_NE(signalled.Port(), 0u);
    EXPECT_EQ(signalled.Process().Stop(), 0);

    BackgroundProcess timed({TALLYHAWK_DEMO_SERVER_PATH, "--port", "0", "--max-seconds", "0.2"});
    ASSERT_TRUE(timed.WaitForLine("listening on 127.0.0.1:"));
    EXPECT_EQ(timed.Wait(std::chrono::seconds(10)), 0);
}

TEST(DemoServerProcessTest, RefusesWhatItCannotServe)
{
    DemoServerRunner first(kFrozen);
    ASSERT_NE(first.Port(), 0u);
    struct Case
    {
        std::vector<std::string> arguments;
        int exitCode;
        std::string message;
    };
    const Case cases[] = {
        {{"--port", std::to_string(first.Port())}, 1, "Address already in use"},
        {{"--port", "0", "--bind", "192.0.2.1"}, 1, "not a loopback address"},
        {{"--port", "0", "--bind", "::2"}, 1, "not a loopback address"},
        {{"--port", "0", "--bind", "localhost"}, 1, "not an IPv4 or IPv6 address"},
        {{"--players", "33"}, 2, "--players"},
        {{"--scenario", "flood"}, 2, "--scenario"},
        // Comparisons with NaN are false: these passed a plain range check, then broke the stop
        // time (undefined conversion) or the match clock.
        {{"--max-seconds", "nan"}, 2, "--max-seconds: Value nan not in range"},
        {{"--max-seconds", "-nan"}, 2, "--max-seconds: Value -nan not in range"},
        {{"--speed", "nan"}, 2, "--speed: Value nan not in range"},
    };
    for (const Case& test : cases) {
        // A server that wrongly starts still stops by itself.
        std::vector<std::string> command{TALLYHAWK_DEMO_SERVER_PATH};
        if (std::find(test.arguments.begin(), test.arguments.end(), "--max-seconds") ==
            test.arguments.end())
            command.insert(command.end(), {"--max-seconds", "5"});
        command.insert(command.end(), test.arguments.begin(), test.arguments.end());
        const ProcessResult result = RunProcess(command);
        EXPECT_EQ(result.exitCode, test.exitCode) << result.err;
        EXPECT_NE(result.err.find(test.message), std::string::npos) << result.err;
    }
}

TEST(DemoServerProcessTest, ListensOnAnotherLoopbackAddress)
{
    BackgroundProcess server(
        {TALLYHAWK_DEMO_SERVER_PATH, "--port", "0", "--bind", "127.0.0.2", "--max-seconds", "30"});
    const std::string readyPrefix = "listening on ";
    const auto ready = server.WaitForLine(readyPrefix + "127.0.0.2:");
    ASSERT_TRUE(ready) << server.ErrorText();
    const ProcessResult result = RunQuery({ready->substr(readyPrefix.size()), "--json"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
}

} // namespace
