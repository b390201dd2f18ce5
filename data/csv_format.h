#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <span>
#include <vector>

#include "data/record_files.h"

namespace torbex::data {

// The data file: a heading line, then one line per record; ten columns joined by ", ", code page
// 932, CR LF after every line, no quoting. Error flags and the occlusion value are not kept.
inline constexpr int kMaxCsvFields = 21;

class CsvWriter final : public RecordWriter {
public:
    // Refuses records holding a character code page 932 has no code for.
    bool write(QIODevice& device, std::span<const MeasurementRecord> records) override;
};

// Lines end at CR LF, CR or LF; the heading line is not looked at; blank lines are skipped.
// Refuses a file without a heading line, not in code page 932, with a line of more than 21
// fields, or with more records than the store holds.
class CsvReader final : public RecordReader {
public:
    std::optional<std::vector<MeasurementRecord>> read(QIODevice& device) override;
};

// The record line a record is saved as, without its line end.
QString csvRecordLine(const MeasurementRecord& record);
// The file's bytes; nullopt when a record holds a character the code page cannot.
std::optional<QByteArray> csvBytes(std::span<const MeasurementRecord> records);
// The records of a file's bytes, or nullopt when they are not a data file.
std::optional<std::vector<MeasurementRecord>> parseCsv(const QByteArray& bytes);

}  // namespace torbex::data
