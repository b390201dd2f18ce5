#pragma once

#include <QString>

#include "history/register_fields.h"
#include "workflow/shared_texts.h"

namespace torbex::workflow::texts {

// Why a value cannot go into a register field, for the tool and the register file alike; `named`
// is the field as the operator gave it ("--maker" on the command line, "maker" in a file).
// Empty when the value may go in.
inline QString fieldProblemText(const QString& field, const QString& value, const QString& named) {
    const auto problem = history::fieldProblem(field, value);
    if (!problem) return {};
    switch (*problem) {
        case history::FieldProblem::ManagementNumber: return managementNumberMessage(*data::managementNumberProblem(value));
        case history::FieldProblem::Status: return QStringLiteral("%1 must be in-service or retired").arg(named);
        case history::FieldProblem::Characters: return QStringLiteral("%1 holds a control character").arg(named);
        case history::FieldProblem::Length: break;
    }
    return QStringLiteral("%1 holds at most %2 characters").arg(named).arg(history::fieldLimit(field));
}

}  // namespace torbex::workflow::texts
