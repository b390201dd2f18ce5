// The register at a department's size: 20,000 pumps with their details and 100,000 tests. The
// worklist (the pump list read and filtered), the register's CSV taken whole, a pump's report of
// 50 tests and a backup, on SQLite; the worklist over 100,000 tests and the pump list over
// 141,000 on PostgreSQL when TORBEX_BENCH_POSTGRES names a server (a libpq connection string).
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "bench/postgres_schema.h"
#include "data/record_texts.h"
#include "history/history_store.h"
#include "workflow/register.h"
#include "workflow/register_csv.h"
#include "workflow/reports.h"

namespace {

using namespace torbex;

constexpr int kPumps = 20000;
constexpr int kTests = 100000;
const QDate kToday(2026, 1, 15);

QString rfidOf(int pump) { return QStringLiteral("%1").arg(0x0807060500000000LL + pump, 16, 16, QLatin1Char('0')).toUpper(); }

// Tests `first` to `first + count - 1`: test t of pump t % kPumps, fifteen minutes after test
// t - 1, so that a pump's last test falls anywhere in three years.
std::vector<data::MeasurementRecord> tests(int first, int count) {
    std::vector<data::MeasurementRecord> records(static_cast<std::size_t>(count));
    const QDateTime start(QDate(2023, 1, 1), QTime(8, 0));
    for (int i = 0; i < count; ++i) {
        data::MeasurementRecord& r = records[static_cast<std::size_t>(i)];
        const int t = first + i;
        const QDateTime at = start.addSecs(900LL * t);
        r.status = t % 13 == 0 ? 0x9F : 0x8F;
        r.PumpRfid = rfidOf(t % kPumps);
        r.MeasureDate = at.toString(QStringLiteral("yyyy/MM/dd"));
        r.MeasureTime = at.toString(QStringLiteral("HH:mm"));
        r.FlowSetting = QStringLiteral("150");
        r.FlowResult = QStringLiteral("%1").arg(90 + (t % 200) / 10.0, 6, 'f', 1);
        r.OcclusionSetting = QStringLiteral("M");
        r.OcclusionResult = QStringLiteral("%1").arg(40 + (t % 300) / 10.0, 0, 'f', 1);
        r.values = data::valuesOfTexts(r);
    }
    return records;
}

// The register as a hospital's spreadsheet gives it: every pump with its details.
QByteArray registerFile() {
    QByteArray csv = QByteArray(workflow::kRegisterHeading) + "\r\n";
    for (int pump = 0; pump < kPumps; ++pump)
        csv += QStringLiteral("%1,P-%2,Maker%3,Model%4,S%2,Ward%5,Room%6,%7,,\r\n")
                   .arg(rfidOf(pump))
                   .arg(pump)
                   .arg(pump % 5)
                   .arg(pump % 20)
                   .arg(pump % 12)
                   .arg(pump % 50)
                   .arg(pump % 40 == 0 ? QStringLiteral("retired") : QStringLiteral("in-service"))
                   .toUtf8();
    return csv;
}

// The register and `testCount` tests, with one pump (RFID "...FFFFFF") tested 50 times; empty
// when it could not be filled.
QString fill(history::HistoryStore& store, int testCount) {
    const auto file = workflow::readRegisterCsv(registerFile());
    const auto* registered = std::get_if<workflow::RegisterFile>(&file);
    if (!registered) return QStringLiteral("the register file was refused");
    const auto imported = store.importRegister(registered->pumps, {{QStringLiteral("Maker1"), QStringLiteral("Model1"), 6}},
                                               history::ChangeSource::Tool);
    if (!imported) return imported.error();
    for (int first = 0; first < testCount; first += 10000) {
        if (const auto added = store.recordTests(QStringLiteral("TB000123"), tests(first, std::min(10000, testCount - first))); !added)
            return added.error();
    }
    auto fifty = tests(0, 50);
    for (std::size_t i = 0; i < fifty.size(); ++i) {
        fifty[i].PumpRfid = QStringLiteral("08070605FFFFFFFF");
        fifty[i].MeasureDate = QDate(2022, 1, 1).addDays(static_cast<qint64>(i) * 20).toString(QStringLiteral("yyyy/MM/dd"));
        fifty[i].values = data::valuesOfTexts(fifty[i]);
    }
    const auto added = store.recordTests(QStringLiteral("TB000123"), fifty);
    return added ? QString() : added.error();
}

// One SQLite history of the department, filled before the first benchmark that needs it.
struct SqliteHistory {
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("history.sqlite"));
    std::unique_ptr<history::HistoryStore> store;
    QString error;
    SqliteHistory() {
        auto opened = history::HistoryStore::open({history::DatabaseTarget::Kind::Sqlite, path});
        if (!opened) {
            error = opened.error();
            return;
        }
        store = std::move(opened.value());
        error = fill(*store, kTests);
    }
};
SqliteHistory& sqlite() {
    static SqliteHistory history;
    return history;
}

void worklist(benchmark::State& state, history::HistoryStore& store) {
    std::size_t due = 0;
    for (auto _ : state) {
        const auto pumps = store.pumps(12);
        if (!pumps) return state.SkipWithError(pumps.error().toLocal8Bit().constData());
        due = workflow::worklist(pumps.value(), {kToday, 30, {}}).size();
    }
    state.counters["pumps_due"] = static_cast<double>(due);
}

void BM_Worklist_Sqlite(benchmark::State& state) {
    if (!sqlite().error.isEmpty()) return state.SkipWithError(sqlite().error.toLocal8Bit().constData());
    worklist(state, *sqlite().store);
}
BENCHMARK(BM_Worklist_Sqlite)->Unit(benchmark::kMillisecond);

void BM_RegisterImportOf20000Pumps(benchmark::State& state) {
    const QByteArray csv = registerFile();
    QTemporaryDir folder;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto store = history::HistoryStore::open(
            {history::DatabaseTarget::Kind::Sqlite, folder.filePath(QStringLiteral("%1.sqlite").arg(round++))});
        state.ResumeTiming();
        const auto file = workflow::readRegisterCsv(csv);
        const auto* registered = std::get_if<workflow::RegisterFile>(&file);
        if (!store || !registered ||
            !store.value()->importRegister(registered->pumps, registered->intervals, history::ChangeSource::File))
            return state.SkipWithError("the register was not imported");
    }
}
BENCHMARK(BM_RegisterImportOf20000Pumps)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PumpReportOf50Tests(benchmark::State& state) {
    if (!sqlite().error.isEmpty()) return state.SkipWithError(sqlite().error.toLocal8Bit().constData());
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("pump.pdf"));
    for (auto _ : state) {
        const workflow::PumpRead read = workflow::pumpTests(*sqlite().store, QStringLiteral("08070605FFFFFFFF"), 12);
        if (!read.error.isEmpty() || read.pump.tests.size() != 50 ||
            !workflow::reportOnPump(pdf, read.pump, {QStringLiteral("bench"), QDateTime::currentDateTime()}).ok())
            return state.SkipWithError("the report was not written");
    }
    state.counters["file_KiB"] = static_cast<double>(QFileInfo(pdf).size()) / 1024;
}
BENCHMARK(BM_PumpReportOf50Tests)->Unit(benchmark::kMillisecond);

void BM_BackupOf100000Tests(benchmark::State& state) {
    if (!sqlite().error.isEmpty()) return state.SkipWithError(sqlite().error.toLocal8Bit().constData());
    QTemporaryDir out;
    const QString copy = out.filePath(QStringLiteral("backup.sqlite"));
    for (auto _ : state) {
        if (const QString problem = workflow::backupHistory(*sqlite().store, copy); !problem.isEmpty())
            return state.SkipWithError(problem.toLocal8Bit().constData());
    }
    state.counters["file_MiB"] = static_cast<double>(QFileInfo(copy).size()) / (1024 * 1024);
}
BENCHMARK(BM_BackupOf100000Tests)->Unit(benchmark::kMillisecond)->Iterations(3);

// The register and `testCount` tests on the server, then the worklist.
void onPostgres(benchmark::State& state, int testCount) {
    bench::inPostgresSchema(state, [&](history::HistoryStore& store) {
        if (const QString problem = fill(store, testCount); !problem.isEmpty())
            return state.SkipWithError(problem.toLocal8Bit().constData());
        worklist(state, store);
    });
}

void BM_Worklist_Postgres(benchmark::State& state) { onPostgres(state, kTests); }
BENCHMARK(BM_Worklist_Postgres)->Unit(benchmark::kMillisecond);

void BM_PumpListOf141000Tests_Postgres(benchmark::State& state) { onPostgres(state, 141000); }
BENCHMARK(BM_PumpListOf141000Tests_Postgres)->Unit(benchmark::kMillisecond);

}  // namespace
