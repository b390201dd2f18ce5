#include "data/spreadsheet_cell.h"

namespace torbex::data {
namespace {

bool startsLikeAFormula(QStringView text) { return !text.isEmpty() && QStringLiteral("=+-@\t\r").contains(text.front()); }

}  // namespace

QString spreadsheetCell(QString text) {
    if (startsLikeAFormula(text)) text.prepend(u'\'');
    if (text.contains(u',') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r'))
        text = u'"' + text.replace(u'"', QStringLiteral("\"\"")) + u'"';
    return text;
}

QString withoutFormulaGuard(const QString& cell) {
    return cell.startsWith(u'\'') && startsLikeAFormula(QStringView(cell).mid(1)) ? cell.mid(1) : cell;
}

}  // namespace torbex::data
