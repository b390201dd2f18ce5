#pragma once

#include <QString>
#include <QVarLengthArray>
#include <optional>

namespace torbex::data {

// A record line has ten columns; a reader takes up to 21 fields.
inline constexpr int kCsvColumns = 10;
inline constexpr int kMaxCsvFields = 21;

// What makes a line of a data file other than the lines this program writes.
enum class LineFault {
    Heading,           // the first line is not the data file's heading
    Columns,           // not ten columns
    Rfid,              // neither blank nor 16 upper-case hexadecimal digits
    ManagementNumber,  // longer than ten characters, or against the editor's rules
    Date,              // not a date written 20yy/mm/dd
    Time,              // not a time written hh:mm
    FlowSetting,       // not a whole number of up to three digits
    FlowResult,        // neither "------" nor a number with one decimal that fits its column
    FlowVerdict,       // not "Pass" or "Fail" beside a result, "--" beside "------"
    Level,             // not L, M or H
    OcclusionResult,
    OcclusionVerdict,
};

struct LineProblem {
    int line = 0;  // counted from 1, the heading being line 1
    LineFault fault = LineFault::Columns;
    friend bool operator==(const LineProblem&, const LineProblem&) = default;
};

// English, for logs and the command-line tool.
QString describe(LineFault fault);

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
