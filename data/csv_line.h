#pragma once

#include <QString>
#include <QVarLengthArray>
#include <optional>

#include "data/csv_format.h"

namespace torbex::data {

// The data file's own words.
inline const QString kPass = QStringLiteral("Pass");
inline const QString kFail = QStringLiteral("Fail");
inline const QString kNoJudgement = QStringLiteral("--");
inline const QString kNotMeasured = QStringLiteral("------");

// The heading line, without its line end.
const QString& csvHeadingLine();

// The fields of a line as views into it, so reading a large file copies each text once.
using CsvFields = QVarLengthArray<QStringView, kMaxCsvFields>;
// nullopt for a line of more than 21 fields. A comma ends a field, also an empty one; the text
// after the last comma is a field only when it is not empty.
std::optional<CsvFields> splitCsvLine(QStringView line);

// What keeps a record line from being a line this program writes, if anything.
std::optional<LineFault> lineFault(const CsvFields& fields);

}  // namespace torbex::data
