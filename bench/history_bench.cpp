// The history's costs at the sizes a department reaches: a full download recorded, numbers filled
// for it, a hundred full data files imported, the pump list over 100,000 tests, and the bytes a
// test takes. TORBEX_BENCH_POSTGRES (a libpq connection string) adds the download on PostgreSQL.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "bench/postgres_schema.h"
#include "data/csv_format.h"
#include "data/file_io.h"
#include "data/record_texts.h"
#include "history/history_store.h"
#include "workflow/data_files.h"
#include "workflow/download.h"

namespace {

using namespace torbex;

constexpr int kDownload = 1001;
constexpr int kPumps = 1000;

// Test `t` of a set: pump t % kPumps, one minute after test t - 1 from `first` on.
std::vector<data::MeasurementRecord> tests(int first, int count, bool numbered = false) {
    std::vector<data::MeasurementRecord> records(static_cast<std::size_t>(count));
    const QDateTime start(QDate(2013, 1, 1), QTime(8, 0));
    for (int i = 0; i < count; ++i) {
        data::MeasurementRecord& record = records[static_cast<std::size_t>(i)];
        const int t = first + i;
        const QDateTime at = start.addSecs(60LL * t);
        record.status = 0x8F;
        record.PumpRfid = QStringLiteral("%1")
                              .arg(0x0807060504000000LL + t % kPumps, 16, 16, QLatin1Char('0'))
                              .toUpper();
        if (numbered) record.ManagementNo = QStringLiteral("P-%1").arg(t % kPumps);
        record.MeasureDate = at.toString(QStringLiteral("yyyy/MM/dd"));
        record.MeasureTime = at.toString(QStringLiteral("HH:mm"));
        record.FlowSetting = QStringLiteral("150");
        record.FlowResult = QStringLiteral("%1").arg(90 + (t % 200) / 10.0, 6, 'f', 1);
        record.OcclusionSetting = QStringLiteral("M");
        record.OcclusionResult = QStringLiteral("%1").arg(40 + (t % 300) / 10.0, 0, 'f', 1);
        record.values = data::valuesOfTexts(record);
    }
    return records;
}

std::unique_ptr<history::HistoryStore> openOrSkip(benchmark::State& state,
                                                  const history::DatabaseTarget& target) {
    auto store = history::HistoryStore::open(target);
    if (!store) {
        state.SkipWithError(store.error().toLocal8Bit().constData());
        return nullptr;
    }
    return std::move(store.value());
}

// Every iteration records new tests, as every download brings.
void recordDownloads(benchmark::State& state, history::HistoryStore& store) {
    int first = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const auto records = tests(first, kDownload);
        first += kDownload;
        state.ResumeTiming();
        const auto added = store.recordTests(QStringLiteral("TB000123"), records);
        if (!added || added.value() != kDownload)
            state.SkipWithError("the download was not recorded");
    }
}

void BM_RecordDownload_Sqlite(benchmark::State& state) {
    QTemporaryDir folder;
    if (auto store = openOrSkip(state, {history::DatabaseTarget::Kind::Sqlite,
                                        folder.filePath(QStringLiteral("h.sqlite"))}))
        recordDownloads(state, *store);
}
BENCHMARK(BM_RecordDownload_Sqlite)->Unit(benchmark::kMillisecond);

void BM_RecordDownload_Postgres(benchmark::State& state) {
    bench::inPostgresSchema(state, [&](history::HistoryStore& store) { recordDownloads(state, store); });
}
BENCHMARK(BM_RecordDownload_Postgres)->Unit(benchmark::kMillisecond);

void BM_FillNumbersOfADownload(benchmark::State& state) {
    QTemporaryDir folder;
    auto store = openOrSkip(state, {history::DatabaseTarget::Kind::Sqlite,
                                    folder.filePath(QStringLiteral("h.sqlite"))});
    if (!store || !store->learnNumbers(tests(0, kPumps, true), history::ChangeSource::File)) return;
    const auto download = tests(0, kDownload);
    for (auto _ : state) {
        auto records = download;
        const auto numbers = store->managementNumbers();
        if (!numbers || workflow::fillManagementNumbers(records, numbers.value()) != kDownload)
            state.SkipWithError("numbers not filled");
    }
}
BENCHMARK(BM_FillNumbersOfADownload)->Unit(benchmark::kMillisecond);

void BM_ImportHundredFullFiles_Sqlite(benchmark::State& state) {
    QTemporaryDir folder;
    QStringList files;
    for (int f = 0; f < 100; ++f) {
        files << folder.filePath(QStringLiteral("%1.csv").arg(f));
        if (!data::writeFileAtomically(files.back(),
                                       *data::csvBytes(tests(f * kDownload, kDownload, true))))
            state.SkipWithError("cannot write the data files");
    }
    int round = 0;
    for (auto _ : state) {
        auto store = openOrSkip(state, {history::DatabaseTarget::Kind::Sqlite,
                                        folder.filePath(QStringLiteral("%1.sqlite").arg(round++))});
        int added = 0;
        const auto checked = workflow::checkDataFiles(files);
        const auto* checkedFiles = std::get_if<std::vector<workflow::CheckedFile>>(&checked);
        if (!store || !checkedFiles ||
            !workflow::importDataFiles(*store, *checkedFiles, [&added](const auto&, const history::ImportSummary& file) {
                 added += file.added;
             }).isEmpty() ||
            added != 100 * kDownload)
            state.SkipWithError("the files were not imported");
    }
}
BENCHMARK(BM_ImportHundredFullFiles_Sqlite)->Unit(benchmark::kSecond)->Iterations(2);

// Also the bytes of database per test, as a counter.
void BM_PumpListOf100000Tests_Sqlite(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("h.sqlite"));
    auto store = openOrSkip(state, {history::DatabaseTarget::Kind::Sqlite, path});
    if (!store || !store->learnNumbers(tests(0, kPumps, true), history::ChangeSource::File) ||
        !store->recordTests(QStringLiteral("TB000123"), tests(0, 100000)))
        return state.SkipWithError("cannot fill the history");
    for (auto _ : state) {
        const auto pumps = store->pumps(12);
        if (!pumps || pumps.value().size() != kPumps) state.SkipWithError("wrong pump list");
    }
    store.reset();  // the log goes back into the file
    state.counters["bytes_per_test"] = static_cast<double>(QFileInfo(path).size()) / 100000;
}
BENCHMARK(BM_PumpListOf100000Tests_Sqlite)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
