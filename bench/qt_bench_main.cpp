// One main for the benchmarks that need Qt: a real application object, so the "let pending
// events run" step costs what it costs in the program. Widget and drawing benchmarks run on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#if defined(TORBEX_BENCH_WIDGETS)
#include <QApplication>
using BenchApplication = QApplication;
#elif defined(TORBEX_BENCH_GUI)
#include <QGuiApplication>
using BenchApplication = QGuiApplication;
#else
#include <QCoreApplication>
using BenchApplication = QCoreApplication;
#endif

int main(int argc, char** argv) {
#if defined(TORBEX_BENCH_WIDGETS) || defined(TORBEX_BENCH_GUI)
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    BenchApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
