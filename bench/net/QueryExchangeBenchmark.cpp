// SPDX-License-Identifier: GPL-2.0-or-later
// One full query exchange on loopback, as each refresh runs it: create the socket (on any free
// local port, so that it runs beside a watching window), connect, send the request, receive one
// reply from the scripted peer, destroy the socket. Reports Google Benchmark's mean per exchange
// and the median of the single exchanges.
#include "EventLoopWait.h"
#include "ScriptedUdpPeer.h"
#include "net/ClientSocket.h"
#include "status/StatusWireFormat.h"

#include <QCoreApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <vector>

namespace {

// A status reply of a typical size: serverinfo and eight players.
std::string TypicalReply()
{
    std::string reply = "\xff\xff\xff\xffn\\maxclients\\16\\timelimit\\20\\fraglimit\\0"
                        "\\teamplay\\2\\map\\dm3\\hostname\\Loopback Arena\n";
    for (int player = 1; player <= 8; ++player)
        reply += std::to_string(player) + " " + std::to_string(player * 7) + " 12 25 \"player" +
                 std::to_string(player) + "\" \"base\" 4 4\n";
    return reply;
}

class WaitingOwner : public CMessageTarget
{
public:
    LRESULT SendMessage(UINT, WPARAM wParam, LPARAM) override
    {
        waiting = waiting || LOWORD(wParam) == SE_WAITING;
        return 0;
    }

    bool waiting = false;
};

void BM_QueryExchange(benchmark::State& state)
{
    ScriptedUdpPeer peer;
    peer.ReplyWith({TypicalReply()});
    std::vector<double> microseconds;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        WaitingOwner owner;
        auto socket = std::make_unique<CClientSocket>(&owner);
        if (!socket->Create(0, SOCK_DGRAM,
                            FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE) ||
            !socket->Connect("127.0.0.1", peer.Port())) {
            state.SkipWithError("cannot create or connect the query socket");
            break;
        }
        socket->QueueSend(std::string(kStatusRequest));
        if (!RunUntil([&] { return owner.waiting; }, std::chrono::seconds(2))) {
            state.SkipWithError("no reply from the scripted peer");
            break;
        }
        benchmark::DoNotOptimize(socket->receivedText.data());
        socket.reset();
        microseconds.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
    }
    if (!microseconds.empty()) {
        const auto middle = microseconds.begin() + static_cast<long>(microseconds.size() / 2);
        std::nth_element(microseconds.begin(), middle, microseconds.end());
        state.counters["median_us"] = *middle;
    }
}

BENCHMARK(BM_QueryExchange)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
