#pragma once

#include <QDate>
#include <QString>

#include "data/test_source.h"
#include "report/page_plan.h"

namespace torbex::report {

// How many results of one kind came out each way.
struct VerdictCounts {
    int passed = 0, failed = 0, errors = 0, notMeasured = 0;
    void add(data::Verdict verdict);
    friend bool operator==(const VerdictCounts&, const VerdictCounts&) = default;
};

// What a report says before its table: how many tests, how they came out, when they were taken,
// and which tester measured them.
struct ReportSummary {
    int tests = 0;
    VerdictCounts flow, occlusion;
    QDate firstDate, lastDate;  // of the tests with a date; invalid when none has one
    // The tester of every test; empty when they came from several, or none is known.
    QString testerSerial;
    // Each pump's run of tests, when the tests come pump by pump (a report on many pumps).
    std::vector<PumpRun> runs;
};

// One pass over the tests; empty error when they could be read, else why not.
struct SummaryResult {
    ReportSummary summary;
    QString error;
};
SummaryResult summarise(data::TestSource& tests, bool runsByPump = false);

// The verdicts as words a maintenance system reads: "pass", "fail", "error", "not measured".
QString verdictName(data::Verdict verdict);

}  // namespace torbex::report
