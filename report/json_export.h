#pragma once

#include <QString>
#include <vector>

#include "data/record_files.h"

namespace torbex::report {

// Records for maintenance systems: UTF-8 JSON, one object per record with named fields (RFID,
// management number, ISO 8601 date and time, flow setting and result with their units, the
// occlusion level and result, each verdict as a word) and the tester's serial number.
class JsonExportWriter final : public data::RecordWriter {
public:
    // One serial number per record, or one for all of them; none when not known.
    explicit JsonExportWriter(std::vector<QString> testerSerials = {}) : m_serials(std::move(testerSerials)) {}
    bool write(QIODevice& device, std::span<const data::MeasurementRecord> records) override;

private:
    std::vector<QString> m_serials;
};

}  // namespace torbex::report
