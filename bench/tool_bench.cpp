// The command-line tool as an operator runs it over a history of 100,000 tests on SQLite:
// `export --all` and `report --all`, their time and, as counters, the tool's peak memory (MiB)
// and the file's size. The history is filled once, before the first run.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "data/record_texts.h"
#include "history/history_store.h"

namespace {

using namespace torbex;

constexpr int kTests = 100000;
constexpr int kPumps = 2000;

// A tester's download: pump t % kPumps, one minute after test t - 1.
std::vector<data::MeasurementRecord> tests(int first, int count) {
    std::vector<data::MeasurementRecord> records(static_cast<std::size_t>(count));
    const QDateTime start(QDate(2013, 1, 1), QTime(8, 0));
    for (int i = 0; i < count; ++i) {
        data::MeasurementRecord& r = records[static_cast<std::size_t>(i)];
        const int t = first + i;
        r.status = t % 11 == 0 ? 0x9F : 0x8F;
        r.PumpRfid = QStringLiteral("%1").arg(0x0807060504000000LL + t % kPumps, 16, 16, QLatin1Char('0')).toUpper();
        r.MeasureDate = start.addSecs(60LL * t).toString(QStringLiteral("yyyy/MM/dd"));
        r.MeasureTime = start.addSecs(60LL * t).toString(QStringLiteral("HH:mm"));
        r.FlowSetting = QStringLiteral("150");
        r.FlowResult = QStringLiteral("%1").arg(90 + (t % 200) / 10.0, 6, 'f', 1);
        r.OcclusionSetting = QStringLiteral("M");
        r.OcclusionResult = QStringLiteral("%1").arg(40 + (t % 300) / 10.0, 0, 'f', 1);
        r.values = data::valuesOfTexts(r);
    }
    return records;
}

const QString& history() {
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString file = folder.filePath(QStringLiteral("history.sqlite"));
        auto store = history::HistoryStore::open({history::DatabaseTarget::Kind::Sqlite, file});
        for (int first = 0; store && first < kTests; first += 10000)
            if (!store.value()->recordTests(QStringLiteral("TB000123"), tests(first, 10000))) return QString();
        for (int pump = 0; store && pump < kPumps; ++pump)
            (void)store.value()->setManagementNumber(tests(pump, 1).front().rfid(), QStringLiteral("P-%1").arg(pump),
                                                     history::ChangeSource::Tool);
        return store ? file : QString();
    }();
    return path;
}

// Runs the tool; its peak resident memory in MiB, or -1 when it failed.
double runTool(const QStringList& arguments) {
    const pid_t child = fork();
    if (child == 0) {
        std::vector<QByteArray> words{QByteArrayLiteral(TORBEX_CLI_PATH)};
        for (const QString& argument : arguments) words.push_back(argument.toLocal8Bit());
        std::vector<char*> argv;
        for (QByteArray& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        if (freopen("/dev/null", "w", stdout) == nullptr) _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return static_cast<double>(usage.ru_maxrss) / 1024;  // kilobytes on Linux
}

void runCommand(benchmark::State& state, const QString& command, const QString& file) {
    if (history().isEmpty()) return state.SkipWithError("cannot fill the history");
    QTemporaryDir out;
    const QString path = out.filePath(file);
    double peak = 0;
    for (auto _ : state) {
        peak = runTool({QStringLiteral("--database"), QStringLiteral("sqlite:") + history(), command, QStringLiteral("--all"),
                        QStringLiteral("--out"), path});
        if (peak < 0) state.SkipWithError("the tool failed");
    }
    state.counters["peak_MiB"] = peak;
    state.counters["file_MiB"] = static_cast<double>(QFileInfo(path).size()) / (1024 * 1024);
}

void BM_ExportAllOf100000Tests(benchmark::State& state) { runCommand(state, QStringLiteral("export"), QStringLiteral("all.json")); }
BENCHMARK(BM_ExportAllOf100000Tests)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_ReportAllOf100000Tests(benchmark::State& state) { runCommand(state, QStringLiteral("report"), QStringLiteral("all.pdf")); }
BENCHMARK(BM_ReportAllOf100000Tests)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
