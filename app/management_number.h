#pragma once

#include <QString>
#include <optional>

namespace torbex::app {

// Why an entry cannot be a management number, or nullopt when it can. Only the characters the
// record keeps are judged. A comma would split the record's line in the data file, a character
// outside code page 932 would be garbled there, and a leading "=" or "@", or a "+" or "-" not
// followed by a plain number, would run as a formula when the file is opened in a spreadsheet.
std::optional<QString> managementNumberProblem(const QString& entry);

// The entry as it is stored: symbols code page 932 holds in another form turned into that form,
// ASCII spaces trimmed at both ends, cut to ten characters (the record field pads it).
QString managementNumberToStore(const QString& entry);

}  // namespace torbex::app
