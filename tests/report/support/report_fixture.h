#pragma once

#include <QString>
#include <gtest/gtest.h>
#include <vector>

#include "data/file_io.h"
#include "data/record_texts.h"
#include "report/pdf_report.h"

namespace torbex::report {

using data::TestsWritten;

// Record i: RFID ending in i, flow 99.5 % passed, occlusion by status; taken on 2024/03/0i.
inline data::MeasurementRecord record(int i, std::uint8_t status = 0x8F) {
    data::MeasurementRecord r;
    r.status = status;
    r.PumpRfid = QStringLiteral("080706050403%1").arg(i, 4, 10, QLatin1Char('0'));
    r.ManagementNo = QStringLiteral("管理-%1").arg(i);
    r.MeasureDate = QStringLiteral("2024/03/%1").arg(i % 28 + 1, 2, 10, QLatin1Char('0'));
    r.MeasureTime = QStringLiteral("11:20");
    r.FlowSetting = QStringLiteral("150");
    r.FlowResult = QStringLiteral("  99.5");
    r.OcclusionSetting = QStringLiteral("M");
    r.OcclusionResult = QStringLiteral("    53.2");
    r.values = data::valuesOfTexts(r);
    return r;
}

// Writes a report of the records, each with its serial, into `path`.
inline TestsWritten writeReport(const QString& path, const std::vector<data::MeasurementRecord>& records,
                         const std::vector<QString>& serials, const ReportContext& context) {
    struct Source final : data::TestSource {
        const std::vector<data::MeasurementRecord>& records;
        const std::vector<QString>& serials;
        Source(const std::vector<data::MeasurementRecord>& r, const std::vector<QString>& s) : records(r), serials(s) {}
        QString forEach(const Each& each) override {
            for (std::size_t i = 0; i < records.size(); ++i)
                if (!each(records[i], serials[i % serials.size()])) break;
            return {};
        }
    } source(records, serials);
    TestsWritten written;
    const data::FileOutcome file = data::writeFileStreamed(path, [&](QIODevice& device) {
        written = writePdfReport(device, source, context);
        return written.error;
    });
    EXPECT_TRUE(file.ok()) << file.error.toStdString();
    return written;
}

}  // namespace torbex::report
