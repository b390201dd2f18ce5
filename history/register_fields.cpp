#include "history/register_fields.h"

#include "commands/plain_text.h"
#include "data/management_number.h"

namespace torbex::history {
namespace {

QString PumpDetails::*textMember(const QString& field) {
    if (field == u"maker") return &PumpDetails::maker;
    if (field == u"model") return &PumpDetails::model;
    if (field == u"serial") return &PumpDetails::serial;
    if (field == u"department") return &PumpDetails::department;
    if (field == u"location") return &PumpDetails::location;
    if (field == u"notes") return &PumpDetails::notes;
    return nullptr;
}

}  // namespace

const QStringList& pumpFieldNames() {
    static const QStringList names{QStringLiteral("number"), QStringLiteral("maker"),      QStringLiteral("model"),
                                   QStringLiteral("serial"), QStringLiteral("department"), QStringLiteral("location"),
                                   QStringLiteral("status"), QStringLiteral("notes")};
    return names;
}

QString statusWord(bool retired) { return retired ? QStringLiteral("retired") : QStringLiteral("in-service"); }

QString fieldValue(const RegisteredPump& pump, const QString& field) {
    if (field == u"number") return pump.managementNo;
    if (field == u"status") return statusWord(pump.details.retired);
    const auto member = textMember(field);
    return member ? pump.details.*member : QString();
}

void setFieldValue(RegisteredPump& pump, const QString& field, const QString& value) {
    if (field == u"number") {
        pump.managementNo = commands::trimSpaces(value).toString();  // ideographic spaces are kept
    } else if (field == u"status") {
        pump.details.retired = value.trimmed() == u"retired";
    } else if (const auto member = textMember(field)) {
        pump.details.*member = value.trimmed();
    }
}

int fieldLimit(const QString& field) {
    if (field == u"number") return 10;
    return field == u"notes" ? 500 : 64;
}

std::optional<FieldProblem> fieldProblem(const QString& field, const QString& value) {
    if (field == u"number")
        return data::managementNumberProblem(value) ? std::optional(FieldProblem::ManagementNumber) : std::nullopt;
    if (field == u"status")
        return statusWord(false) == value.trimmed() || statusWord(true) == value.trimmed()
                   ? std::nullopt
                   : std::optional(FieldProblem::Status);
    for (const QChar c : value)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format) return FieldProblem::Characters;
    if (value.trimmed().size() > fieldLimit(field)) return FieldProblem::Length;
    return std::nullopt;
}

}  // namespace torbex::history
