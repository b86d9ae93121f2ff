// SPDX-License-Identifier: GPL-2.0-or-later
// Benchmark main for programs that need widgets. Linked by tallyhawk_benchmark(... GUI).
#include "QtBenchmark.h"

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
