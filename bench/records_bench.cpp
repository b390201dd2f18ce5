// Data files of a full store, and a full download from a simulated tester whose reports each
// take 1 ms each way (so the delays alone take 2.002 s for 1001 records).
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "data/csv_format.h"
#include "data/record_download.h"
#include "sim/simulated_bus.h"

namespace {

using namespace torbex;

void fillStore(data::RecordStore& store) {
    std::vector<data::MeasurementRecord> records(data::RecordStore::kCapacity);
    for (std::size_t i = 0; i < records.size(); ++i) {
        data::MeasurementRecord& record = records[i];
        record.status = 0x8F;
        record.PumpRfid = QStringLiteral("0807060504030201");
        record.ManagementNo = QStringLiteral("管理-%1").arg(i);
        record.MeasureDate = QStringLiteral("2013/02/28");
        record.MeasureTime = QStringLiteral("11:20");
        record.FlowSetting = QStringLiteral("150");
        record.FlowResult = QStringLiteral("  99.5");
        record.OcclusionSetting = QStringLiteral("M");
        record.OcclusionResult = QStringLiteral("    53.2");
    }
    store.replace(records);
}

void BM_WriteCsvFullStore(benchmark::State& state) {
    QTemporaryDir folder;
    auto store = std::make_unique<data::RecordStore>();
    fillStore(*store);
    const QString path = folder.filePath(QStringLiteral("records.csv"));
    for (auto _ : state) benchmark::DoNotOptimize(data::CsvWriter().writeFile(path, store->records()));
}
BENCHMARK(BM_WriteCsvFullStore)->Unit(benchmark::kMillisecond);

void BM_ReadCsvFullStore(benchmark::State& state) {
    QTemporaryDir folder;
    auto store = std::make_unique<data::RecordStore>();
    fillStore(*store);
    const QString path = folder.filePath(QStringLiteral("records.csv"));
    if (!data::CsvWriter().writeFile(path, store->records())) state.SkipWithError("cannot write the data file");
    for (auto _ : state) benchmark::DoNotOptimize(data::CsvReader().readFile(path));
}
BENCHMARK(BM_ReadCsvFullStore)->Unit(benchmark::kMillisecond);

void BM_DownloadFullTesterWithUsbDelays(benchmark::State& state) {
    sim::TesterState full;
    for (int slot = 0; slot < sim::kSlotCount; ++slot) {
        sim::StoredRecord record;
        record.status = 0x8F;
        record.flowSetting = 150;
        full.slots[static_cast<std::size_t>(slot)] = record;
    }
    sim::SimulatedTester tester(full);
    tester.setReportDelay(std::chrono::milliseconds(1));
    sim::SimulatedBus bus;
    bus.attachTester(tester);
    link::SteadyClock clock;
    link::QtEventPump events;
    commands::TesterService service(bus, clock, events);
    auto store = std::make_unique<data::RecordStore>();
    commands::DownloadProgress quiet;
    for (auto _ : state) {
        const auto downloaded = data::downloadRecords(service, *store, quiet);
        if (!downloaded || downloaded.value() != sim::kSlotCount) state.SkipWithError("download incomplete");
        tester.forgetReceivedCommands();
    }
}
BENCHMARK(BM_DownloadFullTesterWithUsbDelays)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
