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

// The statements that change pumps, each kept prepared across the pumps of one transaction, and
// who and when the audit trail names: the same for every change of the transaction.
struct RegisterWrites {
    explicit RegisterWrites(QSqlDatabase& db, ChangeSource from)
        : read(db), write(db), audit(db), source(sourceName(from)), user(systemUserName()),
          at(QDateTime::currentDateTimeUtc().toString(Qt::ISODate)) {}
    bool audited(const QString& rfid, const QString& field, const QString& oldValue, const QString& newValue) {
        return runStatement(audit,
                            QStringLiteral("INSERT INTO audit (rfid, field, old_number, new_number, changed_by, "
                                           "changed_at, source) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                            {rfid, field, oldValue, newValue, user, at, source});
    }
    QSqlQuery read, write, audit;
    const QString source, user, at;
};

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
static Result<bool> replacePump(RegisterWrites& writes, const RegisteredPump& after) {
    // Writers take turns, so the old values read here are the ones replaced.
    const Result<std::optional<RegisteredPump>> found = readPump(writes.read, after.rfid);
    if (!found) return Result<bool>::failure(found.error());
    const RegisteredPump before = found.value().value_or(RegisteredPump{after.rfid, {}, {}});
    bool changed = false;
    for (const QString& field : pumpFieldNames()) {
        const QString was = fieldValue(before, field), is = fieldValue(after, field);
        if (was == is) continue;
        if (!changed && !writePump(writes.write, after)) return Result<bool>::failure(sqlError(writes.write));
        changed = true;
        if (!writes.audited(after.rfid, field, was, is)) return Result<bool>::failure(sqlError(writes.audit));
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
            RegisterWrites writes(db, source);
            const Result<std::optional<RegisteredPump>> found = readPump(writes.read, rfid);
            if (!found) return Result<Nothing>::failure(found.error());
            RegisteredPump after = found.value().value_or(RegisteredPump{rfid, {}, {}});
            for (const auto& [field, value] : changes) setFieldValue(after, field, value);
            const Result<bool> replaced = replacePump(writes, after);
            return replaced ? Result<Nothing>(Nothing{}) : Result<Nothing>::failure(replaced.error());
        });
}

Result<int> SqlHistoryStore::importRegister(const std::vector<RegisteredPump>& pumps,
                                            const std::vector<ModelInterval>& intervals,
                                            ChangeSource source) {
    return m_connection->transaction<int>(Access::Write, [&](QSqlDatabase& db) -> Result<int> {
        RegisterWrites writes(db, source);
        int changed = 0;
        for (const RegisteredPump& pump : pumps) {
            const Result<bool> replaced = replacePump(writes, pump);
            if (!replaced) return Result<int>::failure(replaced.error());
            changed += replaced.value() ? 1 : 0;
        }
        for (const ModelInterval& model : intervals) {
            if (!writeModelInterval(writes.write, model)) return Result<int>::failure(sqlError(writes.write));
        }
        return changed;
    });
}

Result<std::vector<NumberConflict>> SqlHistoryStore::insertNumbers(
    QSqlDatabase& db, std::span<const data::MeasurementRecord> records, ChangeSource source) {
    QSqlQuery insert(db);
    QSqlQuery registered(db);
    RegisterWrites writes(db, source);
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
            if (!writes.audited(rfid, QStringLiteral("number"), QString(), number))
                return Result<std::vector<NumberConflict>>::failure(sqlError(writes.audit));
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
