// Start-up and exchange costs of the monitor dialog on the offscreen platform: from construction
// to the first shown frame, and one loading exchange (run after every reply) with and without
// changed members.
#include "ui/MonitorDlg.h"

#include <QApplication>
#include <QWindow>
#include <benchmark/benchmark.h>

namespace {

void BM_DialogStart(benchmark::State& state)
{
    for (auto _ : state) {
        CMonitorDlg dialog;
        dialog.Create();
        QWidget* window = dialog.GetSafeHwnd();
        // The first frame: the window is exposed and its contents painted once.
        window->repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window->windowHandle()->isExposed());
        state.PauseTiming();
        dialog.EndDialog(IDCANCEL);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DialogStart)->Unit(benchmark::kMillisecond);

void BM_LoadingExchangeUnchanged(benchmark::State& state)
{
    CMonitorDlg dialog;
    dialog.Create();
    for (auto _ : state)
        benchmark::DoNotOptimize(dialog.UpdateData(false));
}
BENCHMARK(BM_LoadingExchangeUnchanged)->Unit(benchmark::kMicrosecond);

void BM_LoadingExchangeAfterAReply(benchmark::State& state)
{
    // Every value field changes, as after a reply whose standings moved.
    CMonitorDlg dialog;
    dialog.Create();
    int frags = 0;
    for (auto _ : state) {
        ++frags;
        dialog.totalFragsText = std::to_string(frags);
        dialog.team1TotalText = std::to_string(frags / 2);
        dialog.team2TotalText = std::to_string(frags / 3);
        dialog.team3TotalText = std::to_string(frags / 5);
        dialog.timeText = std::to_string(frags % 60);
        dialog.serverNameText = frags % 2 ? "Quake Server One" : "Quake Server Two";
        benchmark::DoNotOptimize(dialog.UpdateData(false));
    }
}
BENCHMARK(BM_LoadingExchangeAfterAReply)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
