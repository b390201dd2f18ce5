// The pump registry and its audit trail.
#include <QDateTime>
#include <QSet>

#include "commands/plain_text.h"
#include "history/sql_history_store.h"
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

ChangeSource sourceFromName(const QString& name) {
    if (name == QStringLiteral("editor")) return ChangeSource::Editor;
    return name == QStringLiteral("file") ? ChangeSource::File : ChangeSource::Tool;
}

bool audited(QSqlQuery& query, const QString& rfid, const QString& oldNumber,
             const QString& newNumber, ChangeSource source) {
    return runStatement(
        query,
        QStringLiteral(
            "INSERT INTO audit (rfid, old_number, new_number, changed_by, changed_at, source) "
            "VALUES (?, ?, ?, ?, ?, ?)"),
        {rfid, oldNumber, newNumber, systemUserName(),
         QDateTime::currentDateTimeUtc().toString(Qt::ISODate), sourceName(source)});
}

}  // namespace

Result<std::map<QString, QString>> SqlHistoryStore::managementNumbers() {
    return m_connection->transaction<std::map<QString, QString>>(
        Access::Read, [](QSqlDatabase& db) -> Result<std::map<QString, QString>> {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            if (!runStatement(query, QStringLiteral("SELECT rfid, management_no FROM pumps")))
                return Result<std::map<QString, QString>>::failure(sqlError(query));
            std::map<QString, QString> numbers;
            while (query.next())
                numbers.emplace(query.value(0).toString(), query.value(1).toString());
            return numbers;
        });
}

Result<Nothing> SqlHistoryStore::setManagementNumber(const QString& rfid, const QString& number,
                                                     ChangeSource source) {
    if (rfid.trimmed().isEmpty())
        return Result<Nothing>::failure(QStringLiteral("a pump without an RFID has no number"));
    const QString newNumber = commands::trimSpaces(number).toString();
    return m_connection->transaction<Nothing>(
        Access::Write, [&](QSqlDatabase& db) -> Result<Nothing> {
            QSqlQuery query(db);
            // Writers take turns, so the old value read here is the one replaced.
            if (!runStatement(query,
                              QStringLiteral("SELECT management_no FROM pumps WHERE rfid = ?"),
                              {rfid}))
                return Result<Nothing>::failure(sqlError(query));
            const QString oldNumber = query.next() ? query.value(0).toString() : QString();
            if (oldNumber == newNumber) return Nothing{};
            const bool written =
                newNumber.isEmpty()
                    ? runStatement(query, QStringLiteral("DELETE FROM pumps WHERE rfid = ?"),
                                   {rfid})
                    : runStatement(
                          query,
                          QStringLiteral("INSERT INTO pumps (rfid, management_no) VALUES (?, ?) ON "
                                         "CONFLICT (rfid) "
                                         "DO UPDATE SET management_no = excluded.management_no"),
                          {rfid, newNumber});
            if (!written || !audited(query, rfid, oldNumber, newNumber, source))
                return Result<Nothing>::failure(sqlError(query));
            return Nothing{};
        });
}

Result<std::vector<NumberConflict>> SqlHistoryStore::insertNumbers(
    QSqlDatabase& db, std::span<const data::MeasurementRecord> records, ChangeSource source) {
    QSqlQuery insert(db);
    QSqlQuery registered(db);
    QSqlQuery audit(db);
    if (!insert.prepare(QStringLiteral(
            "INSERT INTO pumps (rfid, management_no) VALUES (?, ?) ON CONFLICT DO NOTHING")))
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
            if (!audited(audit, rfid, QString(), number, source))
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

Result<std::vector<AuditEntry>> SqlHistoryStore::audit(const QString& rfid) {
    return m_connection->transaction<std::vector<AuditEntry>>(
        Access::Read, [&](QSqlDatabase& db) -> Result<std::vector<AuditEntry>> {
            QSqlQuery query(db);
            if (!runStatement(
                    query,
                    QStringLiteral(
                        "SELECT rfid, old_number, new_number, changed_by, changed_at, source "
                        "FROM audit WHERE rfid = ? ORDER BY id"),
                    {rfid}))
                return Result<std::vector<AuditEntry>>::failure(sqlError(query));
            std::vector<AuditEntry> entries;
            while (query.next()) {
                entries.push_back({query.value(0).toString(), query.value(1).toString(),
                                   query.value(2).toString(), query.value(3).toString(),
                                   query.value(4).toString(),
                                   sourceFromName(query.value(5).toString())});
            }
            return entries;
        });
}

}  // namespace torbex::history
