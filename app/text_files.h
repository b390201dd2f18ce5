#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

class QIODevice;

namespace torbex::app {

// Most lines a value/label file may hold.
inline constexpr int kValueLabelLines = 101;

// Reads a file of "value,label" lines (code page 932) into values and labels, 101 entries each,
// empty beyond the lines read. A value is the text before the last comma of its line, so a
// folder name holding a comma survives; leading spaces are skipped in both fields. Returns the
// number of lines, or -1 when the file is missing, unreadable, not a regular file, larger than
// any settings file, not valid code page 932 or longer than 101 lines.
std::int16_t ReadValueLabelFile(const QString& path, QStringList& values, QStringList& labels);

// The same for a file's bytes.
std::int16_t parseValueLabelText(const QByteArray& bytes, QStringList& values, QStringList& labels);

// Lines 0 to count-1 as the file holds them; nullopt when a text cannot be encoded.
std::optional<QByteArray> valueLabelBytes(int count, const QStringList& values, const QStringList& labels);
// Writes lines 0 to count-1 as value, comma, label, CR LF, in code page 932. 0 on success, -1 on
// any error (an existing file then keeps its old contents).
std::int16_t WriteValueLabelFile(const QString& path, int count, const QStringList& values, const QStringList& labels);

// The path without one trailing backslash (or slash).
QString StripTrailingBackslash(const QString& path);
// True when no ordinary file is at the path.
bool IsFileAbsent(const QString& path);

}  // namespace torbex::app
