#pragma once

#include <QString>
#include <optional>

namespace torbex::data {

// Why an entry cannot be a management number.
enum class ManagementNumberProblem {
    // More than ten characters once trimmed: the record would cut it.
    Length,
    // A comma would split the record's line in the data file, a control character or one outside
    // code page 932 would be garbled there.
    Characters,
    // A leading "=" or "@", or a "+" or "-" not followed by a plain number, would run as a formula
    // when the file is opened in a spreadsheet.
    Formula,
};
std::optional<ManagementNumberProblem> managementNumberProblem(const QString& entry);

// A number as the registry may hold it and a record may carry it.
bool isManagementNumber(const QString& number);

// The entry as it is stored: symbols code page 932 holds in another form turned into that form,
// ASCII spaces trimmed at both ends (the record field pads it).
QString managementNumberToStore(const QString& entry);

}  // namespace torbex::data
