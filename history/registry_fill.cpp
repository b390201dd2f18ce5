#include "history/registry_fill.h"

namespace torbex::history {

int fillManagementNumbers(std::span<data::MeasurementRecord> records, const std::map<QString, QString>& registry) {
    int filled = 0;
    for (data::MeasurementRecord& record : records) {
        if (!record.has(data::RfidPresent) || !record.ManagementNo.text().trimmed().isEmpty()) continue;
        const auto known = registry.find(record.PumpRfid.text());
        if (known == registry.end() || known->second.isEmpty()) continue;
        record.ManagementNo = known->second;
        ++filled;
    }
    return filled;
}

}  // namespace torbex::history
