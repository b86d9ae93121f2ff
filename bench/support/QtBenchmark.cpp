// SPDX-License-Identifier: GPL-2.0-or-later
// The QApplication around a benchmark run.
#include "QtBenchmark.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int RunQtBenchmarks(int argc, char** argv, const std::function<void()>& beforeBenchmarks)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (beforeBenchmarks)
        beforeBenchmarks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
