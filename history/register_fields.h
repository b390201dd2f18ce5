#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "history/history_store.h"

namespace torbex::history {

// The register's fields by the names the audit trail, the tool's options and the register's
// CSV file give them, in that order: number, maker, model, serial, department, location,
// status, notes.
const QStringList& pumpFieldNames();

// "in-service" or "retired", as the status field holds it.
QString statusWord(bool retired);

// A field's value as the register holds it, and a pump with one field changed.
QString fieldValue(const RegisteredPump& pump, const QString& field);
void setFieldValue(RegisteredPump& pump, const QString& field, const QString& value);

// Why a value cannot go into a field: a management number breaking the editor's rules (which
// data::managementNumberProblem names), a status other than the two words, control characters
// (the value goes into files and terminals), or more than the field holds.
enum class FieldProblem { ManagementNumber, Status, Characters, Length };
std::optional<FieldProblem> fieldProblem(const QString& field, const QString& value);
// The most characters a field holds.
int fieldLimit(const QString& field);

}  // namespace torbex::history
