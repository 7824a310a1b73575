#pragma once

#include <QtGlobal>

#include <benchmark/benchmark.h>

// Runs the benchmarks of a program that paints, with an application object of the given kind on the
// offscreen platform.
template <typename Application> int runOffscreenBenchmarks(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
