#pragma once

#include <QString>
#include <optional>

namespace torbex::data {

// Why an entry cannot be a management number. Only the characters the record keeps are judged.
enum class ManagementNumberProblem {
    // A comma would split the record's line in the data file, a control character or one outside
    // code page 932 would be garbled there.
    Characters,
    // A leading "=" or "@", or a "+" or "-" not followed by a plain number, would run as a formula
    // when the file is opened in a spreadsheet.
    Formula,
};
std::optional<ManagementNumberProblem> managementNumberProblem(const QString& entry);

// The entry as it is stored: symbols code page 932 holds in another form turned into that form,
// ASCII spaces trimmed at both ends, cut to ten characters (the record field pads it).
QString managementNumberToStore(const QString& entry);

}  // namespace torbex::data
