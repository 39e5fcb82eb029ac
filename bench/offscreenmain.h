#pragma once
// The main() of a benchmark program that needs widgets: Google Benchmark inside a QApplication on
// the offscreen platform, so the benchmarks run without a display.
#include <QApplication>

#include <benchmark/benchmark.h>

#define ORV_OFFSCREEN_BENCHMARK_MAIN()                      \
    int main(int argc, char** argv)                         \
    {                                                       \
        qputenv("QT_QPA_PLATFORM", "offscreen");            \
        QApplication app(argc, argv);                       \
        benchmark::Initialize(&argc, argv);                 \
        benchmark::RunSpecifiedBenchmarks();                \
        benchmark::Shutdown();                              \
        return 0;                                           \
    }
