#include "data/record_files.h"

#include <QBuffer>

namespace torbex::data {

FileOutcome RecordWriter::writeFile(const QString& path, std::span<const MeasurementRecord> records) {
    // The whole file is made in memory first, so a failing format never touches the disk and the
    // disk is written by the one writer that keeps the old file on any failure.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!write(buffer, records)) return {m_error};
    FileOutcome written = writeFileAtomically(path, buffer.data());
    m_error = written.error;
    return written;
}

std::optional<std::vector<MeasurementRecord>> RecordReader::readFile(const QString& path) {
    const FileBytes file = readRegularFile(path, maxFileBytes());
    if (!file.ok()) {
        m_error = file.error;
        return std::nullopt;
    }
    QBuffer buffer;
    buffer.setData(file.bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer);
}

}  // namespace torbex::data
