#pragma once

#include <QString>
#include <span>

#include "commands/tester_service.h"
#include "data/record_store.h"
#include "history/history_store.h"

namespace torbex::workflow {

// The tester's serial number as the history and the reports name it: without the spaces, NULs
// and 0xFF bytes a tester pads it with.
QString testerSerialOf(const QString& asRead);

// What became of a download's records beyond the page.
struct RecordedDownload {
    QString testerSerial;    // as the tester gave it; empty when it could not be read
    int numbersFilled = 0;   // records that got the registry's number
    QString historyProblem;  // why the history did not take the tests; empty when it did
};

// A download from the tester into the store, then what the history makes of it, in this order:
// the tester's serial (read from the tester when `knownSerial` is empty), the registry's numbers
// into records that have none, the tests into the history with that serial. The store's records
// stay the download's whatever the history does; without a history only the first step runs.
struct Download {
    commands::Outcome<int> downloaded = commands::Failure{commands::FailureKind::NotConnected, {}};
    RecordedDownload recorded;
};
Download download(commands::TesterService& tester, data::RecordStore& store, commands::DownloadProgress& progress,
                  history::HistoryStore* history, const QString& knownSerial = {});

// Gives records without a management number the registry's number for their pump; the value is
// the number of records filled.
int fillManagementNumbers(std::span<data::MeasurementRecord> records, const std::map<QString, QString>& registry);

}  // namespace torbex::workflow
