// The pump registry's management numbers, the register's other fields, and the audit trail of
// every change to them.
#include <QDateTime>
#include <QSet>

#include "history/register_fields.h"
#include "history/sql_history_store.h"
#include "history/sql_register_rows.h"
#include "history/system_user.h"

namespace torbex::history {
namespace {

QString sourceName(ChangeSource source) {
    switch (source) {
        case ChangeSource::Editor:
            return QStringLiteral("editor");
        case ChangeSource::File:
            return QStringLiteral("file");
        case ChangeSource::Tool:
            break;
    }
    return QStringLiteral("tool");
}

bool audited(QSqlQuery& query, const QString& rfid, const QString& field, const QString& oldValue,
             const QString& newValue, ChangeSource source) {
    return runStatement(
        query,
        QStringLiteral("INSERT INTO audit (rfid, field, old_number, new_number, changed_by, "
                       "changed_at, source) VALUES (?, ?, ?, ?, ?, ?, ?)"),
        {rfid, field, oldValue, newValue, systemUserName(),
         QDateTime::currentDateTimeUtc().toString(Qt::ISODate), sourceName(source)});
}

}  // namespace

ChangeSource changeSourceFromName(const QString& name) {
    if (name == QStringLiteral("editor")) return ChangeSource::Editor;
    return name == QStringLiteral("file") ? ChangeSource::File : ChangeSource::Tool;
}

Result<Nothing> HistoryStore::setManagementNumber(const QString& rfid, const QString& number,
                                                  ChangeSource source) {
    return changePump(rfid, {{QStringLiteral("number"), number}}, source);
}

Result<std::map<QString, QString>> SqlHistoryStore::managementNumbers() {
    return m_connection->transaction<std::map<QString, QString>>(
        Access::Read, [](QSqlDatabase& db) -> Result<std::map<QString, QString>> {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            if (!runStatement(query, QStringLiteral("SELECT rfid, management_no FROM pumps "
                                                    "WHERE management_no <> ''")))
                return Result<std::map<QString, QString>>::failure(sqlError(query));
            std::map<QString, QString> numbers;
            while (query.next())
                numbers.emplace(query.value(0).toString(), query.value(1).toString());
            return numbers;
        });
}

// Writes `after` over what the register holds of its pump, auditing each field that changes;
// whether anything changed, or why it could not be written. Inside the caller's transaction.
static Result<bool> replacePump(QSqlQuery& query, const RegisteredPump& after, ChangeSource source) {
    // Writers take turns, so the old values read here are the ones replaced.
    const Result<std::optional<RegisteredPump>> found = readPump(query, after.rfid);
    if (!found) return Result<bool>::failure(found.error());
    const RegisteredPump before = found.value().value_or(RegisteredPump{after.rfid, {}, {}});
    bool changed = false;
    for (const QString& field : pumpFieldNames()) {
        const QString was = fieldValue(before, field), is = fieldValue(after, field);
        if (was == is) continue;
        if (!changed && !writePump(query, after)) return Result<bool>::failure(sqlError(query));
        changed = true;
        if (!audited(query, after.rfid, field, was, is, source)) return Result<bool>::failure(sqlError(query));
    }
    return changed;
}

Result<Nothing> SqlHistoryStore::changePump(const QString& rfid,
                                            const std::map<QString, QString>& changes,
                                            ChangeSource source) {
    if (rfid.trimmed().isEmpty())
        return Result<Nothing>::failure(QStringLiteral("a pump without an RFID has no number"));
    return m_connection->transaction<Nothing>(
        Access::Write, [&](QSqlDatabase& db) -> Result<Nothing> {
            QSqlQuery query(db);
            const Result<std::optional<RegisteredPump>> found = readPump(query, rfid);
            if (!found) return Result<Nothing>::failure(found.error());
            RegisteredPump after = found.value().value_or(RegisteredPump{rfid, {}, {}});
            for (const auto& [field, value] : changes) setFieldValue(after, field, value);
            const Result<bool> replaced = replacePump(query, after, source);
            return replaced ? Result<Nothing>(Nothing{}) : Result<Nothing>::failure(replaced.error());
        });
}

Result<int> SqlHistoryStore::importRegister(const std::vector<RegisteredPump>& pumps,
                                            const std::vector<ModelInterval>& intervals,
                                            ChangeSource source) {
    return m_connection->transaction<int>(Access::Write, [&](QSqlDatabase& db) -> Result<int> {
        QSqlQuery query(db);
        int changed = 0;
        for (const RegisteredPump& pump : pumps) {
            const Result<bool> replaced = replacePump(query, pump, source);
            if (!replaced) return Result<int>::failure(replaced.error());
            changed += replaced.value() ? 1 : 0;
        }
        for (const ModelInterval& model : intervals) {
            if (!writeModelInterval(query, model)) return Result<int>::failure(sqlError(query));
        }
        return changed;
    });
}

Result<std::vector<NumberConflict>> SqlHistoryStore::insertNumbers(
    QSqlDatabase& db, std::span<const data::MeasurementRecord> records, ChangeSource source) {
    QSqlQuery insert(db);
    QSqlQuery registered(db);
    QSqlQuery audit(db);
    // A pump registered without a number takes the first it is seen with.
    if (!insert.prepare(QStringLiteral(
            "INSERT INTO pumps (rfid, management_no) VALUES (?, ?) ON CONFLICT (rfid) "
            "DO UPDATE SET management_no = excluded.management_no WHERE pumps.management_no = ''")))
        return Result<std::vector<NumberConflict>>::failure(sqlError(insert));
    if (!registered.prepare(QStringLiteral("SELECT management_no FROM pumps WHERE rfid = ?")))
        return Result<std::vector<NumberConflict>>::failure(sqlError(registered));
    std::vector<NumberConflict> conflicts;
    QSet<std::pair<QString, QString>> seen;  // a file holds a pump's pair once per test
    for (const data::MeasurementRecord& record : records) {
        const QString rfid = record.rfid();
        const QString number = record.managementNumber();
        if (rfid.isEmpty() || number.isEmpty() || seen.contains({rfid, number})) continue;
        seen.insert({rfid, number});
        if (!runPrepared(insert, {rfid, number}))
            return Result<std::vector<NumberConflict>>::failure(sqlError(insert));
        if (insert.numRowsAffected() > 0) {
            if (!audited(audit, rfid, QStringLiteral("number"), QString(), number, source))
                return Result<std::vector<NumberConflict>>::failure(sqlError(audit));
            continue;
        }
        if (!runPrepared(registered, {rfid}) || !registered.next())
            return Result<std::vector<NumberConflict>>::failure(sqlError(registered));
        if (const QString kept = registered.value(0).toString(); kept != number)
            conflicts.push_back({rfid, kept, number});
        registered.finish();
    }
    return conflicts;
}

Result<std::vector<NumberConflict>> SqlHistoryStore::learnNumbers(
    std::span<const data::MeasurementRecord> records, ChangeSource source) {
    return m_connection->transaction<std::vector<NumberConflict>>(
        Access::Write, [&](QSqlDatabase& db) { return insertNumbers(db, records, source); });
}

}  // namespace torbex::history
