// The main function of a benchmark of the real widgets: the Qt application on the
// offscreen platform, then the benchmarks.
#pragma once

#include <benchmark/benchmark.h>

#include "platform/qt/qt_application.h"

inline int run_offscreen_benchmarks(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::qt::qt_application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
