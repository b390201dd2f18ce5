#pragma once

#include <QDate>
#include <functional>

#include "app/operator_dialogs.h"
#include "data/test_source.h"

namespace torbex::app {

// What a report to be saved is: where it goes and what is proposed.
struct ReportRequest {
    QString folder;
    int tests = 0;
    QDate today;
    QString inspector;  // proposed to sign it: torbex.conf's, else the account's name
    QString name;       // the file name proposed; empty: one from today's date
};

// Saves a report the way a data file is saved: the operator confirms who signs it, picks the
// file (".pdf" added when missing), is asked before an existing one is replaced, and is told how
// it went. Nothing is asked when there is nothing to report. `write` is given the file and the
// inspector (the one proposed when the entry is left blank).
void saveReport(OperatorDialogs& dialogs, const ReportRequest& request,
                const std::function<data::TestsWritten(const QString& path, const QString& inspector)>& write);

}  // namespace torbex::app
