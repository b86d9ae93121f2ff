// SPDX-License-Identifier: GPL-2.0-or-later
// Start-up and exchange costs of the monitor dialog on the offscreen platform: from construction
// to the first shown frame, and one loading exchange (run after every reply) with and without
// changed members.
#include "QtBenchmark.h"
#include "ui/MonitorDlg.h"
#include "ui/MonitorDlgSeam.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <optional>

namespace {

void BM_DialogStart(benchmark::State& state)
{
    std::optional<CMonitorDlg> dialog;
    for (auto _ : state) {
        state.PauseTiming();
        dialog.reset(); // the previous window's end is not part of a start
        state.ResumeTiming();
        dialog.emplace();
        dialog->Create();
        QWidget* window = dialog->GetSafeHwnd();
        // The first frame: the window is exposed and its contents painted once.
        window->repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window->windowHandle()->isExposed());
    }
}
BENCHMARK(BM_DialogStart)->Unit(benchmark::kMillisecond);

void BM_LoadingExchangeUnchanged(benchmark::State& state)
{
    CMonitorDlg dialog;
    dialog.Create();
    for (auto _ : state)
        benchmark::DoNotOptimize(dialog.UpdateData(Direction::Load));
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
        Seam(dialog).totalFragsText = std::to_string(frags);
        Seam(dialog).team1TotalText = std::to_string(frags / 2);
        Seam(dialog).team2TotalText = std::to_string(frags / 3);
        Seam(dialog).team3TotalText = std::to_string(frags / 5);
        Seam(dialog).timeText = std::to_string(frags % 60);
        Seam(dialog).serverNameText = frags % 2 ? "Quake Server One" : "Quake Server Two";
        benchmark::DoNotOptimize(dialog.UpdateData(Direction::Load));
    }
}
BENCHMARK(BM_LoadingExchangeAfterAReply)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv, [] {
        // The first start of the process also loads fonts, the style and the resources.
        QElapsedTimer timer;
        timer.start();
        CMonitorDlg dialog;
        dialog.Create();
        dialog.GetSafeHwnd()->repaint();
        QApplication::processEvents();
        std::printf("first start in this process (construction to first shown): %.2f ms\n",
                    static_cast<double>(timer.nsecsElapsed()) / 1e6);
    });
}
