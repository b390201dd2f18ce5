#pragma once

#include <vector>

#include "app/operator_dialogs.h"
#include "data/measurement_record.h"
#include "report/pdf_report.h"

namespace torbex::app {

// Saves a report the way a data file is saved: the operator picks the file (a name from today's
// date proposed, ".pdf" added when missing), is asked before an existing one is replaced, and is
// told how it went. Nothing is asked when there is nothing to report.
void saveReport(OperatorDialogs& dialogs, const QString& folder, const std::vector<data::MeasurementRecord>& records,
                const report::ReportContext& context);

}  // namespace torbex::app
