#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <span>
#include <vector>

#include "data/file_io.h"

namespace torbex::app {

// One line of a value/label file: "value,label". Only a line's position gives its meaning; the
// label is written for people.
struct ValueLabel {
    QString value;
    QString label;
    friend bool operator==(const ValueLabel&, const ValueLabel&) = default;
};

// Most lines a value/label file may hold.
inline constexpr int kMaxValueLabelLines = 101;

// The lines of a value/label file's bytes (code page 932). A value is the text before the last
// comma of its line, so a folder name holding a comma survives; leading spaces are skipped in
// both fields. nullopt when the bytes are not code page 932 or hold more than 101 lines.
std::optional<std::vector<ValueLabel>> parseValueLabels(const QByteArray& bytes);
// The same for a file; nullopt also when it is missing, unreadable, not a regular file or larger
// than any settings file.
std::optional<std::vector<ValueLabel>> readValueLabelFile(const QString& path);

// The lines as value, comma, label, CR LF, in code page 932; nullopt when a text cannot be encoded.
std::optional<QByteArray> valueLabelBytes(std::span<const ValueLabel> lines);
// Writes the lines; on any error an existing file keeps its old contents.
data::FileOutcome writeValueLabelFile(const QString& path, std::span<const ValueLabel> lines);

// The path without one trailing backslash (or slash).
QString withoutTrailingSeparator(const QString& path);
// True when an ordinary file is at the path.
bool isFile(const QString& path);

}  // namespace torbex::app
