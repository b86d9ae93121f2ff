// SPDX-License-Identifier: GPL-2.0-or-later
// Running Google Benchmark programs that need widgets: one QApplication for the whole run.
#pragma once

#include <functional>

// Makes the QApplication (on the offscreen platform unless the environment chooses another),
// runs `beforeBenchmarks` inside it, then the benchmarks the command line selects.
int RunQtBenchmarks(int argc, char** argv, const std::function<void()>& beforeBenchmarks = {});
