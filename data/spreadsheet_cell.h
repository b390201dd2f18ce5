#pragma once

#include <QString>

namespace torbex::data {

// A text as a cell of a CSV file that a spreadsheet opens: a text that would run as a formula
// (starting with =, +, -, @, a tab or a CR) is kept as text by a leading quote mark, and a cell
// holding a separator, a quote or a line break is quoted, its quotes doubled.
QString spreadsheetCell(QString text);
// The text of such a cell as it was before the quote mark was added.
QString withoutFormulaGuard(const QString& cell);

}  // namespace torbex::data
