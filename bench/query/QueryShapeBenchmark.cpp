// SPDX-License-Identifier: GPL-2.0-or-later
// tallyhawk-query's collector for each shape of reply, against a frozen qw-demo-server on
// loopback: the round trip alone (request out, first datagram in) beside the whole collection
// (QueryServer), with and without the ping fence, so that what the collector waits beyond the
// round trip shows per shape.
#include "DemoServerRunner.h"
#include "query/NetworkReplySource.h"
#include "status/StatusWireFormat.h"

#include <arpa/inet.h>
#include <array>
#include <benchmark/benchmark.h>
#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

struct ReplyShape
{
    const char* name;
    std::vector<std::string> serverOptions;
};

const ReplyShape kShapes[] = {
    {"short reply, 8 players", {"--players", "8"}},
    {"32 players in one nearly full datagram", {"--players", "32"}},
    {"split reply, 2 datagrams", {"--scenario", "full"}},
};

// qw-demo-server frozen (--speed 0) in the shape this run measures, which labels the run; null
// and the run skipped when the server did not start.
std::unique_ptr<DemoServerRunner> StartFrozenServer(benchmark::State& state)
{
    const ReplyShape& shape = kShapes[state.range(0)];
    state.SetLabel(shape.name);
    std::vector<std::string> arguments{"--speed", "0"};
    arguments.insert(arguments.end(), shape.serverOptions.begin(), shape.serverOptions.end());
    auto server = std::make_unique<DemoServerRunner>(arguments, 600);
    if (server->Port() == 0) {
        state.SkipWithError("the demo server did not start");
        server.reset();
    }
    return server;
}

// One request and the first datagram of its reply on a fresh socket; closing it drops the rest.
bool RoundTrip(std::uint16_t port)
{
    const int udp = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(port);
    server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::array<char, kMaxDatagramBytes> buffer;
    pollfd readable{udp, POLLIN, 0};
    const bool answered =
        connect(udp, reinterpret_cast<const sockaddr*>(&server), sizeof server) == 0 &&
        send(udp, kStatusRequest.data(), kStatusRequest.size(), 0) > 0 &&
        poll(&readable, 1, 2000) == 1 && recv(udp, buffer.data(), buffer.size(), 0) > 0;
    close(udp);
    return answered;
}

void BM_RoundTrip(benchmark::State& state)
{
    const auto server = StartFrozenServer(state);
    if (!server)
        return;
    for (auto _ : state) {
        if (!RoundTrip(static_cast<std::uint16_t>(server->Port()))) {
            state.SkipWithError("no answer");
            return;
        }
    }
}

void QueryEachIteration(benchmark::State& state, ReplyFence fence)
{
    const auto server = StartFrozenServer(state);
    if (!server)
        return;
    const ServerAddress address{"127.0.0.1", static_cast<std::uint16_t>(server->Port())};
    const QueryRequest request{.fence = fence};
    for (auto _ : state) {
        const ReplyResult result = QueryServer(address, std::chrono::seconds(2), request);
        if (!result || result->empty()) {
            state.SkipWithError("no reply");
            return;
        }
        benchmark::DoNotOptimize(result->data());
    }
}

// With the ping fence, as tallyhawk-query queries by default.
void BM_QueryServer(benchmark::State& state)
{
    QueryEachIteration(state, ReplyFence::Ping);
}

// The status request alone (--no-fence): a nearly full datagram costs the quiet period.
void BM_QueryServerWithoutFence(benchmark::State& state)
{
    QueryEachIteration(state, ReplyFence::None);
}

BENCHMARK(BM_RoundTrip)->DenseRange(0, 2)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QueryServer)->DenseRange(0, 2)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QueryServerWithoutFence)
    ->DenseRange(0, 2)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
