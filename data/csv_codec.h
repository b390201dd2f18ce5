#pragma once

#include <QString>
#include <optional>

#include "data/file_io.h"
#include "data/record_store.h"

class QIODevice;

namespace torbex::data {

// A data file: a heading line, then one line per record; ten columns joined by ", ", code page
// 932, CR LF after every line, no quoting.
inline constexpr int kMaxCsvFields = 21;

// The record line a record is saved as, without its line end.
QString csvRecordLine(const MeasurementRecord& record);
// The heading and records 0 to RecordCount - 1 as the file holds them; nullopt when a record
// holds a character code page 932 has no code for.
std::optional<QByteArray> csvBytes(const RecordStore& store);

// Writes the heading and records 0 to RecordCount - 1. The file is replaced only when all of
// it was written; on failure an existing file keeps its old contents.
FileOutcome WriteCsvFile(const QString& path, const RecordStore& store);
// The bytes WriteCsvFile writes, to `device` (for tests with failing devices).
bool writeCsv(QIODevice& device, const RecordStore& store);

// Reads a data file into the store from slot 0 and sets RecordCount. All or nothing: on any
// error (unreadable, not a regular file, too large, not code page 932, no heading line, a line
// of more than 21 fields, more than 10001 records) the store and RecordCount stay exactly as
// they were.
FileOutcome ReadCsvFile(const QString& path, RecordStore& store);
// The records of a data file's text, or nullopt when ReadCsvFile would fail.
std::optional<std::vector<MeasurementRecord>> parseCsv(const QByteArray& bytes);

}  // namespace torbex::data
