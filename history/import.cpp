#include "commands/protocol.h"
#include "data/csv_format.h"
#include "history/history_store.h"

namespace torbex::history {

Result<ImportSummary> importDataFiles(HistoryStore& store, const QStringList& paths) {
    ImportSummary summary;
    for (const QString& path : paths) {
        data::CsvReader reader;
        const auto records = reader.readFile(path);
        if (!records)
            return Result<ImportSummary>::failure(
                QStringLiteral("cannot read %1: %2").arg(path, reader.errorString()));
        Result<ImportSummary> file = store.recordDataFile(*records);
        if (!file)
            return Result<ImportSummary>::failure(path + QStringLiteral(": ") + file.error());
        summary.files += file.value().files;
        summary.added += file.value().added;
        summary.conflicts.insert(summary.conflicts.end(), file.value().conflicts.begin(),
                                 file.value().conflicts.end());
    }
    return summary;
}

int fillManagementNumbers(std::span<data::MeasurementRecord> records,
                          const std::map<QString, QString>& registry) {
    int filled = 0;
    for (data::MeasurementRecord& record : records) {
        if (!record.has(data::RfidPresent) ||
            !commands::trimSpaces(record.ManagementNo.text()).isEmpty())
            continue;
        const auto number = registry.find(commands::trimSpaces(record.PumpRfid.text()).toString());
        if (number == registry.end()) continue;
        record.ManagementNo = number->second;
        ++filled;
    }
    return filled;
}

}  // namespace torbex::history
