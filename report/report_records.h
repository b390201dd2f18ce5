#pragma once

#include <QString>
#include <vector>

#include "data/measurement_record.h"
#include "history/history_store.h"

namespace torbex::report {

// A test from the history as the data grid would show it: date "yyyy/MM/dd", results
// right-aligned in tenths, "------" where not measured.
data::MeasurementRecord recordOf(const history::StoredTest& test);

// How many results of one kind came out each way.
struct VerdictCounts {
    int passed = 0, failed = 0, errors = 0, notMeasured = 0;
    void add(data::Verdict::Result result);
    int total() const { return passed + failed + errors + notMeasured; }
};

struct ReportSummary {
    int records = 0;
    VerdictCounts flow, occlusion;
    QString firstDate, lastDate;  // as the records hold them; empty when there are none
};
ReportSummary summarise(const std::vector<data::MeasurementRecord>& records);

// The records' verdicts as words a maintenance system reads: "pass", "fail", "error", "not measured".
QString verdictName(data::Verdict::Result result);

}  // namespace torbex::report
