#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

namespace torbex::data {

// What became of a file operation: empty `error` when it worked, else why not, in the system's
// words where it gave any ("No space left on device", "not a regular file").
struct [[nodiscard]] FileOutcome {
    QString error;
    bool ok() const { return error.isEmpty(); }
    explicit operator bool() const { return ok(); }
};

struct [[nodiscard]] FileBytes {
    QByteArray bytes;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Largest files the program reads: far above anything it writes, low enough that a wrong file
// (a disk image, /dev/zero) is refused instead of filling the memory.
inline constexpr qint64 kMaxDataFileBytes = 64LL * 1024 * 1024;
inline constexpr qint64 kMaxSettingsFileBytes = 1024 * 1024;

// Reads a regular file of at most maxBytes. A FIFO, device or folder is refused before it is
// opened, so reading can neither hang nor run without end.
FileBytes readRegularFile(const QString& path, qint64 maxBytes);

// Replaces the file at `path` with `bytes`, or leaves whatever was there byte for byte. Only a
// regular file or a new name is written: a device node or FIFO is never replaced.
FileOutcome writeFileAtomically(const QString& path, const QByteArray& bytes);

// The same for a file made piece by piece, so that a large export is never held whole: `produce`
// writes to the device it is given and returns an empty text, or why it could not go on. The
// device collects small writes into large ones; a failed write fails every later one.
FileOutcome writeFileStreamed(const QString& path, const std::function<QString(QIODevice&)>& produce);

// Writes all of `bytes`, carrying on after short writes; false, with the device's error, when the
// device took less.
bool writeWhole(QIODevice& device, QByteArrayView bytes);

}  // namespace torbex::data
