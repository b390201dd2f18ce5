#include "cli/report_commands.h"

#include <QDate>
#include <QDateTime>

#include "cli/history_commands.h"
#include "data/csv_format.h"
#include "report/json_export.h"
#include "report/pdf_report.h"
#include "report/report_records.h"

namespace torbex::cli {
namespace {

// What a report or an export is made of: records, the tester of each (where known), and for a
// report on one pump, its history.
struct Source {
    std::vector<data::MeasurementRecord> records;
    std::vector<QString> serials;
    std::optional<report::PumpSection> pump;
};

// The one source the command line names, or the exit status after saying what is wrong.
std::variant<Source, int> readSource(Invocation& call, bool forReport) {
    const QStringList files = call.arguments();
    const bool all = call.isSet(QStringLiteral("all"));
    const bool rfid = forReport && call.isSet(QStringLiteral("rfid"));
    const bool since = !forReport && call.isSet(QStringLiteral("since"));
    if (files.size() + (all ? 1 : 0) + (rfid ? 1 : 0) + (since ? 1 : 0) != 1) {
        call.err() << "torbex-cli: name one of: a data file, " << (forReport ? "--rfid RFID, --all" : "--all, --since DATE")
                   << '\n';
        return kUsageError;
    }
    Source source;
    if (!files.isEmpty()) {
        data::CsvReader reader;
        auto records = reader.readFile(files.front());
        if (!records) {
            call.err() << "torbex-cli: cannot read " << files.front() << ": " << reader.errorString() << '\n';
            return kFileError;
        }
        source.records = std::move(*records);
        // Numbers the file lacks may be known to the registry; without a history the file's stand.
        if (history::HistoryStore* store = call.history()) {
            if (const auto numbers = store->managementNumbers()) history::fillManagementNumbers(source.records, numbers.value());
        }
        return source;
    }
    QDate from;
    if (since) {
        from = QDate::fromString(call.value(QStringLiteral("since")), Qt::ISODate);
        if (!from.isValid()) {
            call.err() << "torbex-cli: --since takes a date as yyyy-MM-dd\n";
            return kUsageError;
        }
    }
    std::optional<QString> pump;
    if (rfid && !(pump = rfidArgument(call, call.value(QStringLiteral("rfid"))))) return kUsageError;
    history::HistoryStore* store = call.history();
    if (!store) {
        call.err() << "torbex-cli: history unavailable: " << call.historyError() << '\n';
        return kHistoryUnavailable;
    }
    auto tests = store->tests(pump.value_or(QString()), from);
    if (!tests) {
        call.err() << "torbex-cli: history unavailable: " << tests.error() << '\n';
        return kHistoryUnavailable;
    }
    for (const history::StoredTest& test : tests.value()) {
        source.records.push_back(report::recordOf(test));
        source.serials.push_back(test.testerSerial);
    }
    if (pump) source.pump = report::PumpSection{*pump, tests.value().empty() ? QString() : tests.value().back().managementNo, tests.value()};
    return source;
}

int writeOut(Invocation& call, data::RecordWriter& writer, const Source& source) {
    const QString out = call.value(QStringLiteral("out"));
    if (const data::FileOutcome written = writer.writeFile(out, source.records); !written) {
        call.err() << "torbex-cli: cannot write " << out << ": " << written.error << '\n';
        return kFileError;
    }
    call.out() << source.records.size() << " records\n";
    return kSuccess;
}

}  // namespace

int report(Invocation& call) {
    auto source = readSource(call, true);
    if (const int* status = std::get_if<int>(&source)) return *status;
    const Source& s = std::get<Source>(source);
    // One tester's serial number heads the report; records of several testers have none there.
    QString serial = s.serials.empty() ? QString() : s.serials.front();
    for (const QString& other : s.serials)
        if (other != serial) serial.clear();
    report::PdfReportWriter writer({serial, report::currentUserName(), QDateTime::currentDateTime(), s.pump});
    return writeOut(call, writer, s);
}

int exportRecords(Invocation& call) {
    auto source = readSource(call, false);
    if (const int* status = std::get_if<int>(&source)) return *status;
    const Source& s = std::get<Source>(source);
    report::JsonExportWriter writer(s.serials);
    return writeOut(call, writer, s);
}

}  // namespace torbex::cli
