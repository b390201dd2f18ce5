#include "workflow/download.h"

#include "data/management_number.h"
#include "data/record_download.h"

namespace torbex::workflow {
namespace {

bool isPadding(QChar c) { return c == u' ' || c == u'\0' || c == QChar(0xFF); }

RecordedDownload recordInHistory(history::HistoryStore& history, std::span<data::MeasurementRecord> records,
                                 const QString& serial) {
    RecordedDownload recorded{serial, 0, {}};
    const auto numbers = history.managementNumbers();
    if (!numbers) {
        recorded.historyProblem = numbers.error();
        return recorded;
    }
    recorded.numbersFilled = fillManagementNumbers(records, numbers.value());
    // A test whose tester is unknown is still kept; a later download of it names the tester.
    if (const auto kept = history.recordTests(serial, records); !kept) recorded.historyProblem = kept.error();
    return recorded;
}

}  // namespace

QString testerSerialOf(const QString& asRead) {
    qsizetype begin = 0, end = asRead.size();
    while (begin < end && isPadding(asRead[begin])) ++begin;
    while (end > begin && isPadding(asRead[end - 1])) --end;
    return asRead.mid(begin, end - begin);
}

Download download(commands::TesterService& tester, data::RecordStore& store, commands::DownloadProgress& progress,
                  history::HistoryStore* history, const QString& knownSerial) {
    Download result;
    result.downloaded = data::downloadRecords(tester, store, progress);
    if (!result.downloaded) return result;
    QString serial = testerSerialOf(knownSerial);
    if (serial.isEmpty()) {
        if (const auto reading = tester.readCalibration()) serial = testerSerialOf(reading.value().serialNumber);
    }
    result.recorded.testerSerial = serial;
    if (history != nullptr)
        result.recorded = recordInHistory(*history, std::span(&store.record(0), static_cast<std::size_t>(store.count())), serial);
    return result;
}

int fillManagementNumbers(std::span<data::MeasurementRecord> records, const std::map<QString, QString>& registry) {
    int filled = 0;
    for (data::MeasurementRecord& record : records) {
        if (record.rfid().isEmpty() || !record.managementNumber().isEmpty()) continue;
        const auto number = registry.find(record.rfid());
        // A number the editor would refuse (one kept before numbers were checked) never reaches a
        // data file, where a spreadsheet could run it as a formula.
        if (number == registry.end() || !data::isManagementNumber(number->second)) continue;
        record.ManagementNo = number->second;
        ++filled;
    }
    return filled;
}

}  // namespace torbex::workflow
