#include "report/report_summary.h"

namespace torbex::report {

void VerdictCounts::add(data::Verdict verdict) {
    switch (verdict) {
        case data::Verdict::Pass: ++passed; break;
        case data::Verdict::Fail: ++failed; break;
        case data::Verdict::Error: ++errors; break;
        case data::Verdict::NotMeasured: ++notMeasured; break;
    }
}

SummaryResult summarise(data::TestSource& tests, bool runsByPump) {
    SummaryResult result;
    ReportSummary& summary = result.summary;
    bool oneTester = true;
    result.error = tests.forEach([&](const data::MeasurementRecord& record, const QString& serial) {
        if (summary.tests++ == 0) summary.testerSerial = serial;
        oneTester = oneTester && serial == summary.testerSerial;
        summary.flow.add(record.flowVerdict());
        summary.occlusion.add(record.occlusionVerdict());
        if (runsByPump) {
            if (summary.runs.empty() || summary.runs.back().rfid != record.rfid()) summary.runs.push_back({record.rfid(), 0, {}});
            ++summary.runs.back().tests;
            summary.runs.back().lastOverall = data::overallVerdict(record.flowVerdict(), record.occlusionVerdict());
        }
        const QDate date = record.values.date;
        if (date.isValid()) {
            if (!summary.firstDate.isValid() || date < summary.firstDate) summary.firstDate = date;
            if (!summary.lastDate.isValid() || date > summary.lastDate) summary.lastDate = date;
        }
        return true;
    });
    if (!oneTester) summary.testerSerial.clear();
    return result;
}

QString verdictName(data::Verdict verdict) {
    switch (verdict) {
        case data::Verdict::Pass: return QStringLiteral("pass");
        case data::Verdict::Fail: return QStringLiteral("fail");
        case data::Verdict::Error: return QStringLiteral("error");
        case data::Verdict::NotMeasured: break;
    }
    return QStringLiteral("not measured");
}

}  // namespace torbex::report
