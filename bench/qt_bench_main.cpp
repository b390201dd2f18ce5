// One main for the benchmarks that need Qt: a real application object, so the "let pending
// events run" step costs what it costs in the program. Widget benchmarks run on the offscreen
// platform unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#ifdef TORBEX_BENCH_WIDGETS
#include <QApplication>
using BenchApplication = QApplication;
#else
#include <QCoreApplication>
using BenchApplication = QCoreApplication;
#endif

int main(int argc, char** argv) {
#ifdef TORBEX_BENCH_WIDGETS
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    BenchApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
