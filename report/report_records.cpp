#include "report/report_records.h"

#include <algorithm>

namespace torbex::report {
namespace {

QString tenthsText(const std::optional<int>& tenths, int width) {
    if (!tenths) return QStringLiteral("------");
    return QStringLiteral("%1.%2").arg(*tenths / 10).arg(*tenths % 10).rightJustified(width, u' ');
}

}  // namespace

data::MeasurementRecord recordOf(const history::StoredTest& test) {
    data::MeasurementRecord record;
    record.status = static_cast<std::uint8_t>(test.status);
    record.PumpRfid = test.rfid;
    record.ManagementNo = test.managementNo;
    record.MeasureDate = QString(test.measureDate).replace(u'-', u'/');
    record.MeasureTime = test.measureTime;
    record.FlowSetting = QString::number(test.flowSetting).rightJustified(3, u' ');
    record.FlowResult = tenthsText(test.flowResultTenths, 6);
    record.OcclusionSetting = test.occlusionLevel;
    record.OcclusionResult = tenthsText(test.occlusionResultTenths, 8);
    return record;
}

void VerdictCounts::add(data::Verdict::Result result) {
    switch (result) {
        case data::Verdict::Result::Pass: ++passed; break;
        case data::Verdict::Result::Fail: ++failed; break;
        case data::Verdict::Result::Error: ++errors; break;
        case data::Verdict::Result::NotMeasured: ++notMeasured; break;
    }
}

ReportSummary summarise(const std::vector<data::MeasurementRecord>& records) {
    ReportSummary summary;
    summary.records = static_cast<int>(records.size());
    for (const data::MeasurementRecord& record : records) {
        summary.flow.add(record.flowVerdict().result());
        summary.occlusion.add(record.occlusionVerdict().result());
        const QString date = record.MeasureDate.text().trimmed();
        if (date.isEmpty()) continue;
        if (summary.firstDate.isEmpty() || date < summary.firstDate) summary.firstDate = date;
        if (summary.lastDate.isEmpty() || date > summary.lastDate) summary.lastDate = date;
    }
    return summary;
}

QString verdictName(data::Verdict::Result result) {
    switch (result) {
        case data::Verdict::Result::Pass: return QStringLiteral("pass");
        case data::Verdict::Result::Fail: return QStringLiteral("fail");
        case data::Verdict::Result::Error: return QStringLiteral("error");
        case data::Verdict::Result::NotMeasured: break;
    }
    return QStringLiteral("not measured");
}

}  // namespace torbex::report
