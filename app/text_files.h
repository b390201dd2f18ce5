#pragma once

#include <QFileDevice>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

class QIODevice;

namespace torbex::app {

// Opens a text file: "Input" for reading, "Output" to replace it (through QSaveFile: the old file
// stays whole until finishTextFile succeeds), "Append" to write at its end. nullptr for any other
// mode or when the file cannot be opened.
std::unique_ptr<QFileDevice> OpenTextFile(const QString& path, QStringView mode);
// Completes a file opened for "Output" or "Append"; false when the data did not reach the disk.
bool finishTextFile(QFileDevice& file);

// Most lines a value/label file may hold.
inline constexpr int kValueLabelLines = 101;

// Reads a file of "value,label" lines (code page 932) into values and labels, 101 entries each,
// empty beyond the lines read. A value is the text before the last comma of its line, so a
// folder name holding a comma survives; leading spaces are skipped in both fields. Returns the
// number of lines, or -1 when the file is missing, unreadable, not valid code page 932 or longer
// than 101 lines.
std::int16_t ReadValueLabelFile(const QString& path, QStringList& values, QStringList& labels);

// The same for a file's bytes.
std::int16_t parseValueLabelText(const QByteArray& bytes, QStringList& values, QStringList& labels);

// Writes lines 0 to count-1 to a device; false when the text cannot be encoded or the device
// does not take all of it.
bool writeValueLabels(QIODevice& device, int count, const QStringList& values, const QStringList& labels);

// Writes lines 0 to count-1 as value, comma, label, CR LF, in code page 932. 0 on success, -1 on
// any error (an existing file then keeps its old contents).
std::int16_t WriteValueLabelFile(const QString& path, int count, const QStringList& values, const QStringList& labels);

// The path without one trailing backslash (or slash).
QString StripTrailingBackslash(const QString& path);
// True when no ordinary file is at the path.
bool IsFileAbsent(const QString& path);

}  // namespace torbex::app
