#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <span>
#include <variant>
#include <vector>

#include "data/csv_line.h"
#include "data/record_files.h"

namespace torbex::data {

// The data file: a heading line, then one line per record; ten columns joined by ", ", code page
// 932, CR LF after every line, no quoting. Error flags and the occlusion value are not kept: a
// measurement that ended in error is written as failed.

// A data file as read: its records as the window shows them, where each came from, and every
// line that is not in the form this program writes, for the checks of an import.
struct DataFileContents {
    std::vector<MeasurementRecord> records;
    std::vector<int> recordLines;
    std::vector<LineProblem> problems;
};

// Why bytes are no data file at all.
enum class DataFileError { NotCp932, NoHeading, TooManyFields, TooManyRecords };
struct DataFileRefusal {
    DataFileError error = DataFileError::NoHeading;
    int line = 0;  // TooManyFields: the line
};
// English, for logs and the command-line tool.
QString describe(const DataFileRefusal& refusal);

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
    // The last read's lines, for an import's checks.
    const DataFileContents& contents() const { return m_contents; }

private:
    DataFileContents m_contents;
};

// The record line a record is saved as, without its line end.
QString csvRecordLine(const MeasurementRecord& record);
// The file's bytes; nullopt when a record holds a character the code page cannot.
std::optional<QByteArray> csvBytes(std::span<const MeasurementRecord> records);
// The file in bytes, or why they are no data file.
std::variant<DataFileContents, DataFileRefusal> readDataFile(const QByteArray& bytes);
// The records of a file's bytes, or nullopt when they are not a data file.
std::optional<std::vector<MeasurementRecord>> parseCsv(const QByteArray& bytes);

}  // namespace torbex::data
