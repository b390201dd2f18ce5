// Reports drawn and written in memory: a 1001-record inspection report (time, and its size as a
// counter), and a JSON export of 100,000 records. Runs on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <QBuffer>

#include "data/record_texts.h"
#include "report/json_export.h"
#include "report/pdf_report.h"

namespace {

using namespace torbex;

std::vector<data::MeasurementRecord> records(int count) {
    std::vector<data::MeasurementRecord> all(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        data::MeasurementRecord& r = all[static_cast<std::size_t>(i)];
        r.status = i % 7 == 0 ? 0x83 : 0x8F;
        r.PumpRfid = QStringLiteral("%1").arg(i, 16, 16, QLatin1Char('0')).toUpper();
        r.ManagementNo = QStringLiteral("管理-%1").arg(i % 500);
        r.MeasureDate = QStringLiteral("2024/%1/%2").arg(i % 12 + 1, 2, 10, QLatin1Char('0')).arg(i % 28 + 1, 2, 10, QLatin1Char('0'));
        r.MeasureTime = QStringLiteral("11:20");
        r.FlowSetting = QStringLiteral("150");
        r.FlowResult = QStringLiteral("  99.5");
        r.OcclusionSetting = QStringLiteral("M");
        r.OcclusionResult = QStringLiteral("    53.2");
        r.values = data::valuesOfTexts(r);
    }
    return all;
}

void BM_Report1001Records(benchmark::State& state) {
    const auto all = records(1001);
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        data::RecordsSource source(all, QStringLiteral("TB000123"));
        if (!report::writePdfReport(buffer, source, {QStringLiteral("bench"), QDateTime::currentDateTime(), {}, {}}).ok())
            state.SkipWithError("the report could not be written");
        bytes = buffer.size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_Report1001Records)->Unit(benchmark::kMillisecond);

void BM_JsonExport100000Records(benchmark::State& state) {
    const auto all = records(100000);
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        data::RecordsSource source(all, QStringLiteral("TB000123"));
        if (!report::writeJsonExport(buffer, source, QDateTime::currentDateTime()).ok()) state.SkipWithError("export failed");
    }
}
BENCHMARK(BM_JsonExport100000Records)->Unit(benchmark::kMillisecond);

}  // namespace
