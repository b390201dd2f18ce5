#include "app/management_number.h"

#include "commands/protocol.h"
#include "data/cp932.h"

namespace torbex::app {

QString managementNumberToStore(const QString& entry) { return commands::trimSpaces(entry).toString() + QString(8, u' '); }

std::optional<QString> managementNumberProblem(const QString& entry) {
    const QString number = managementNumberToStore(entry).trimmed();
    for (QChar c : entry) {
        if (c == u',' || c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return kManagementNumberCharacterMessage;
    }
    if (!data::encodeCp932(entry)) return kManagementNumberCharacterMessage;
    if (!number.isEmpty() && QStringLiteral("=+-@").contains(number[0])) return kManagementNumberFormulaMessage;
    return std::nullopt;
}

}  // namespace torbex::app
