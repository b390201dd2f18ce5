#pragma once

#include <QDate>
#include <functional>

#include "app/operator_dialogs.h"
#include "data/test_source.h"

namespace torbex::app {

// Saves a report the way a data file is saved: the operator picks the file (a name from today's
// date proposed, ".pdf" added when missing), is asked before an existing one is replaced, and is
// told how it went. Nothing is asked when there is nothing to report.
// `name` is the file name proposed when the report has one of its own.
void saveReport(OperatorDialogs& dialogs, const QString& folder, int tests, const QDate& today,
                const std::function<data::TestsWritten(const QString& path)>& write, const QString& name = {});

}  // namespace torbex::app
