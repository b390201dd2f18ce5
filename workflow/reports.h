#pragma once

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

#include "data/file_io.h"
#include "history/history_store.h"
#include "report/pdf_report.h"

class QIODevice;

namespace torbex::workflow {

// Who made a report and when: the inspector (see inspectorName) and the present moment unless
// told otherwise.
struct Authorship {
    QString madeBy;
    QDateTime madeAt;
};
Authorship authorshipNow(const QStringList& settingsFolders = {});

// Records in hand (the page's, or a data file's) with the tester they came from (empty: not
// known, as for a data file). Numbers they lack come from the registry when there is one.
struct RecordsInHand {
    std::vector<data::MeasurementRecord> records;
    QString testerSerial;
};
RecordsInHand withRegistryNumbers(RecordsInHand records, history::HistoryStore* registry);

// One pump's tests as the history keeps them, for a report with its trend, and what the
// register knows of it.
struct PumpTests {
    QString rfid;
    QString managementNo;
    std::vector<history::KeptTest> tests;
    history::PumpDetails details;
    QDate nextDue;  // its last test plus its model's interval, or the department's
};
// Empty error when read.
struct PumpRead {
    PumpTests pump;
    QString error;
};
PumpRead pumpTests(history::HistoryStore& store, const QString& rfid, int defaultIntervalMonths);
// The same of tests already read; the pump's number is the registry's as its newest test shows it.
PumpTests pumpTests(const QString& rfid, std::vector<history::KeptTest> tests);

// Inspection reports, written whole or not at all: how many tests, or why not.
data::TestsWritten reportOnRecords(const QString& path, const RecordsInHand& records, const Authorship& by);
data::TestsWritten reportOnPump(const QString& path, const PumpTests& pump, const Authorship& by);
// Every pump's tests, pump by pump, each headed by what the register knows of the pump and its
// next due date.
data::TestsWritten reportByPump(const QString& path, history::HistoryStore& store, int defaultIntervalMonths,
                                const Authorship& by);

// The JSON export of records in hand, or of the history's tests, to a file (whole or not at
// all) or to a device as it is read (standard output).
data::TestsWritten exportRecords(const QString& path, const RecordsInHand& records, const QDateTime& exportedAt,
                                 history::HistoryStore* registry = nullptr);
data::TestsWritten exportHistory(const QString& path, history::HistoryStore& store, const history::TestQuery& query,
                                 const QDateTime& exportedAt);
data::TestsWritten exportHistory(QIODevice& device, history::HistoryStore& store, const history::TestQuery& query,
                                 const QDateTime& exportedAt);

// Who signs reports and exports: "[report] inspector=" of torbex.conf, else the account's full
// name, else its login name.
QString inspectorName(const QStringList& settingsFolders);

// The history's tests as rows for a maintenance system (see report/cmms_export.h), each with its
// pump's register entry and next due date, written whole or not at all.
data::TestsWritten exportCmms(const QString& path, history::HistoryStore& store, const history::TestQuery& query,
                              int defaultIntervalMonths, const QString& inspector);

}  // namespace torbex::workflow
