// SPDX-License-Identifier: GPL-2.0-or-later
// The watch cycle against qw-demo-server on loopback (build/bench/ui/tallyhawk_watch_bench):
// resident memory over many query cycles, the time from a press of "Watch Server" to the parsed
// standings beside the bare round trip, and the wake-ups of a minute of watching. Queries from
// any free local port, so it runs beside a watching window.
#include "DemoServerRunner.h"
#include "framework/WindowTimers.h"
#include "res/ResourceIds.h"
#include "status/StatusWireFormat.h"
#include "ui/MonitorDlg.h"
#include "ui/MonitorDlgSeam.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <netinet/in.h>
#include <string_view>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const std::string kWaiting = "Tallyhawk : Waiting..";

// Runs the thread's event loop as the program does, sleeping until something is due, for the
// given time or until stop() says so.
void RunEventLoop(std::chrono::milliseconds limit, const std::function<bool()>& stop = {})
{
    QEventLoop loop;
    // A timer of this call's own, so that a wait that ends early leaves no timer pending.
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(limit);
    if (stop) {
        QObject::connect(QAbstractEventDispatcher::instance(),
                         &QAbstractEventDispatcher::aboutToBlock, &loop, [&] {
                             if (stop())
                                 loop.quit();
                         });
        if (stop())
            return;
    }
    loop.exec();
}

// A dialog shown and watching one demo server; counts the replies it has shown.
class WatchedServer
{
public:
    WatchedServer() : server({"--speed", "0", "--players", "16", "--teams", "2"})
    {
        dialog.Create();
        dialog.queryLocalPort = 0;
        dialog.CheckRadioButton(kColorRadioId, kSkinRadioId, kSkinRadioId);
        Seam(dialog).hostText = "127.0.0.1";
        Seam(dialog).portText = std::to_string(server.Port());
        dialog.UpdateData(Direction::Load);
        QObject::connect(dialog.GetSafeHwnd(), &QWidget::windowTitleChanged,
                         [this](const QString& title) {
                             if (title == QString::fromStdString(kWaiting))
                                 ++replies;
                         });
    }

    bool Ready() const { return server.Port() != 0; }
    unsigned Port() const { return server.Port(); }

    // One query cycle, as a press of "Watch Server" starts it, up to the parsed standings.
    bool PressAndWaitForStandings()
    {
        const long before = replies;
        dialog.SendMessage(WM_COMMAND, MAKELONG(kWatchButtonId, BN_CLICKED), 0);
        RunEventLoop(std::chrono::seconds(5), [&] { return replies > before; });
        return replies > before;
    }

    CMonitorDlg& Dialog() { return dialog; }

private:
    DemoServerRunner server;
    CMonitorDlg dialog;
    long replies = 0;
};

long ResidentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long sizePages = 0;
    long residentPages = 0;
    statm >> sizePages >> residentPages;
    return residentPages * (sysconf(_SC_PAGESIZE) / 1024);
}

// Bytes handed out by malloc and not yet freed: growth here is memory kept, not fragmentation.
long HeapInUseKiB()
{
    return static_cast<long>(mallinfo2().uordblks / 1024);
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// 10,000 cycles: each replaces the socket, sends, reads, parses and loads the controls. The
// resident size is taken after a warm-up, so what is counted is growth per cycle, not start-up.
void BM_QueryCyclesResidentGrowth(benchmark::State& state)
{
    WatchedServer watched;
    if (!watched.Ready()) {
        state.SkipWithError("qw-demo-server did not start");
        return;
    }
    for (int warmUp = 0; warmUp < 200; ++warmUp)
        watched.PressAndWaitForStandings();
    const long before = ResidentKiB();
    const long heapBefore = HeapInUseKiB();
    for (auto _ : state) {
        if (!watched.PressAndWaitForStandings()) {
            state.SkipWithError("no reply");
            return;
        }
    }
    state.counters["rss_before_KiB"] = static_cast<double>(before);
    state.counters["rss_growth_KiB"] = static_cast<double>(ResidentKiB() - before);
    state.counters["heap_growth_KiB"] = static_cast<double>(HeapInUseKiB() - heapBefore);
}
BENCHMARK(BM_QueryCyclesResidentGrowth)->Iterations(10000)->Unit(benchmark::kMicrosecond);

void BM_PressToParsedStandings(benchmark::State& state)
{
    WatchedServer watched;
    if (!watched.Ready()) {
        state.SkipWithError("qw-demo-server did not start");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(watched.PressAndWaitForStandings());
    state.counters["players"] = Seam(watched.Dialog()).status.playerCount;
}
BENCHMARK(BM_PressToParsedStandings)->Unit(benchmark::kMicrosecond);

// The same request and reply with a blocking socket and nothing else: the floor of the above.
void BM_BareRoundTrip(benchmark::State& state)
{
    DemoServerRunner server({"--speed", "0", "--players", "16", "--teams", "2"});
    const int handle = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(server.Port()));
    if (server.Port() == 0 ||
        ::connect(handle, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        state.SkipWithError("qw-demo-server did not start");
        ::close(handle);
        return;
    }
    char buffer[kMaxDatagramBytes];
    for (auto _ : state) {
        ::send(handle, kStatusRequest.data(), kStatusRequest.size(), 0);
        benchmark::DoNotOptimize(::recv(handle, buffer, sizeof buffer, 0));
    }
    ::close(handle);
}
BENCHMARK(BM_BareRoundTrip)->Unit(benchmark::kMicrosecond);

// Counts the events that wake the watching thread, by who they are for: ours (the query
// sockets' readiness, the refresh timer and its posted ticks) and the blinking text cursor of an
// edit (Qt's).
class WakeUpSources : public QObject
{
public:
    long ours = 0;
    long cursorBlinks = 0;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (dynamic_cast<WindowTimers*>(receiver) ||
            (event->type() == QEvent::SockAct && qobject_cast<QSocketNotifier*>(receiver)))
            ++ours;
        else if (event->type() == QEvent::Timer &&
                 std::string_view(receiver->metaObject()->className()) == "QWidgetLineControl")
            ++cursorBlinks;
        return false;
    }
};

// Watching with the shortest refresh time for range(0) seconds: how often the thread woke up,
// for what, and the CPU time the process used meanwhile. range(1) = 1 leaves the focus in an
// edit, as in an active window; 0 takes it away, as when the person works in another window.
void BM_WatchingWakeUps(benchmark::State& state)
{
    WatchedServer watched;
    if (!watched.Ready()) {
        state.SkipWithError("qw-demo-server did not start");
        return;
    }
    CMonitorDlg& dialog = watched.Dialog();
    Seam(dialog).refreshSeconds = kMinRefreshSeconds;
    dialog.UpdateData(Direction::Load);
    long wakeUps = 0;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake,
                     [&wakeUps] { ++wakeUps; });
    long replies = 0;
    QObject::connect(dialog.GetSafeHwnd(), &QWidget::windowTitleChanged,
                     [&replies](const QString& title) {
                         if (title == QString::fromStdString(kWaiting))
                             ++replies;
                     });
    WakeUpSources sources;
    const auto duration = std::chrono::seconds(state.range(0));
    for (auto _ : state) {
        watched.PressAndWaitForStandings();
        if (state.range(1) == 0 && dialog.GetSafeHwnd()->focusWidget())
            dialog.GetSafeHwnd()->focusWidget()->clearFocus();
        else
            dialog.GetDlgItemWidget(kRefreshEditId)->setFocus();
        RunEventLoop(std::chrono::milliseconds(100)); // the focus change's own events
        wakeUps = 0;
        replies = 0;
        QCoreApplication::instance()->installEventFilter(&sources);
        const double cpuBefore = CpuSeconds();
        RunEventLoop(duration);
        state.counters["cpu_ms"] = (CpuSeconds() - cpuBefore) * 1000;
        QCoreApplication::instance()->removeEventFilter(&sources);
    }
    state.counters["wake_ups"] = static_cast<double>(wakeUps);
    state.counters["replies"] = static_cast<double>(replies);
    state.counters["our_events"] = static_cast<double>(sources.ours);
    state.counters["cursor_blinks"] = static_cast<double>(sources.cursorBlinks);
}
BENCHMARK(BM_WatchingWakeUps)
    ->ArgsProduct({{60}, {0, 1}})
    ->ArgNames({"seconds", "focused_edit"})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

} // namespace
