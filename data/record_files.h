#pragma once

#include <QString>
#include <optional>
#include <span>
#include <vector>

#include "data/file_io.h"
#include "data/measurement_record.h"

class QIODevice;

namespace torbex::data {

// A format records are written in. Each writes to any device; writeFile replaces a file whole,
// or leaves it exactly as it was and says why.
class RecordWriter {
public:
    virtual ~RecordWriter() = default;
    // False, with errorString() saying why, when the records could not be written.
    virtual bool write(QIODevice& device, std::span<const MeasurementRecord> records) = 0;
    FileOutcome writeFile(const QString& path, std::span<const MeasurementRecord> records);
    const QString& errorString() const { return m_error; }

protected:
    void setErrorString(const QString& error) { m_error = error; }

private:
    QString m_error;
};

// A format records are read from. All or nothing: a file that is not wholly readable gives none.
class RecordReader {
public:
    virtual ~RecordReader() = default;
    // nullopt, with errorString() saying why, when the device does not hold such a file.
    virtual std::optional<std::vector<MeasurementRecord>> read(QIODevice& device) = 0;
    // Regular files only, up to the format's largest plausible size.
    std::optional<std::vector<MeasurementRecord>> readFile(const QString& path);
    const QString& errorString() const { return m_error; }

protected:
    virtual qint64 maxFileBytes() const { return kMaxDataFileBytes; }
    void setErrorString(const QString& error) { m_error = error; }

private:
    QString m_error;
};

}  // namespace torbex::data
