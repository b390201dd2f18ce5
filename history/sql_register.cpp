// Pumps looked up by RFID or number, model intervals, and the register's rows.
#include <QRegularExpression>

#include "history/register_fields.h"
#include "history/sql_history_store.h"
#include "history/sql_register_rows.h"

namespace torbex::history {

const QString kRegisterColumns = QStringLiteral(
    "p.management_no, p.maker, p.model, p.serial, p.department, p.location, p.status, p.notes");

RegisteredPump pumpFromRow(const QSqlQuery& query, int first, const QString& rfid) {
    RegisteredPump pump{rfid, {}, {}};
    for (int i = 0; i < pumpFieldNames().size(); ++i)
        setFieldValue(pump, pumpFieldNames()[i], query.value(first + i).toString());
    return pump;
}

Result<std::optional<RegisteredPump>> readPump(QSqlQuery& query, const QString& rfid) {
    if (!runStatement(query, QStringLiteral("SELECT %1 FROM pumps p WHERE p.rfid = ?").arg(kRegisterColumns),
                      {rfid}))
        return Result<std::optional<RegisteredPump>>::failure(sqlError(query));
    if (!query.next()) return std::optional<RegisteredPump>();
    return std::optional(pumpFromRow(query, 0, rfid));
}

bool writePump(QSqlQuery& query, const RegisteredPump& pump) {
    if (pump.managementNo.isEmpty() && pump.details == PumpDetails{})
        return runStatement(query, QStringLiteral("DELETE FROM pumps WHERE rfid = ?"), {pump.rfid});
    const PumpDetails& d = pump.details;
    return runStatement(
        query,
        QStringLiteral(
            "INSERT INTO pumps (rfid, management_no, maker, model, serial, department, location, "
            "status, notes) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (rfid) DO UPDATE SET "
            "management_no = excluded.management_no, maker = excluded.maker, model = excluded.model, "
            "serial = excluded.serial, department = excluded.department, "
            "location = excluded.location, status = excluded.status, notes = excluded.notes"),
        {pump.rfid, pump.managementNo, d.maker, d.model, d.serial, d.department, d.location,
         statusWord(d.retired), d.notes});
}

bool writeModelInterval(QSqlQuery& query, const ModelInterval& interval) {
    if (interval.months <= 0)
        return runStatement(query, QStringLiteral("DELETE FROM models WHERE maker = ? AND model = ?"),
                            {interval.maker, interval.model});
    return runStatement(query,
                        QStringLiteral("INSERT INTO models (maker, model, interval_months) VALUES (?, ?, ?) "
                                       "ON CONFLICT (maker, model) DO UPDATE SET interval_months = excluded.interval_months"),
                        {interval.maker, interval.model, interval.months});
}

Result<std::optional<RegisteredPump>> SqlHistoryStore::findPump(const QString& rfidOrNumber) {
    using Found = std::optional<RegisteredPump>;
    static const QRegularExpression rfidForm(QStringLiteral("^[0-9A-Fa-f]{16}$"));
    const QString text = rfidOrNumber.trimmed();
    return m_connection->transaction<Found>(Access::Read, [&](QSqlDatabase& db) -> Result<Found> {
        QSqlQuery query(db);
        // Numbers are at most ten characters: sixteen hexadecimal digits are always an RFID.
        if (rfidForm.match(text).hasMatch()) return readPump(query, text.toUpper());
        if (text.isEmpty()) return Found();
        if (!runStatement(query,
                          QStringLiteral("SELECT p.rfid, %1 FROM pumps p WHERE p.management_no = ? "
                                         "ORDER BY p.rfid")
                              .arg(kRegisterColumns),
                          {text}))
            return Result<Found>::failure(sqlError(query));
        std::vector<RegisteredPump> pumps;
        while (query.next()) pumps.push_back(pumpFromRow(query, 1, query.value(0).toString()));
        if (pumps.size() <= 1) return pumps.empty() ? Found() : Found(pumps.front());
        QStringList rfids;
        for (const RegisteredPump& pump : pumps) rfids << pump.rfid;
        return Result<Found>::failure(QStringLiteral("management number %1 names %2 pumps: %3")
                                          .arg(text)
                                          .arg(pumps.size())
                                          .arg(rfids.join(QStringLiteral(", "))));
    });
}

Result<std::vector<RegisteredPump>> SqlHistoryStore::registeredPumps() {
    using Pumps = std::vector<RegisteredPump>;
    return m_connection->transaction<Pumps>(Access::Read, [](QSqlDatabase& db) -> Result<Pumps> {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!runStatement(query, QStringLiteral("SELECT p.rfid, %1 FROM pumps p ORDER BY p.rfid").arg(kRegisterColumns)))
            return Result<Pumps>::failure(sqlError(query));
        Pumps pumps;
        while (query.next()) pumps.push_back(pumpFromRow(query, 1, query.value(0).toString()));
        return pumps;
    });
}

Result<Nothing> SqlHistoryStore::setModelInterval(const ModelInterval& interval) {
    return m_connection->transaction<Nothing>(Access::Write, [&](QSqlDatabase& db) -> Result<Nothing> {
        QSqlQuery query(db);
        return writeModelInterval(query, interval) ? Result<Nothing>(Nothing{}) : Result<Nothing>::failure(sqlError(query));
    });
}

Result<std::vector<ModelInterval>> SqlHistoryStore::modelIntervals() {
    using Models = std::vector<ModelInterval>;
    return m_connection->transaction<Models>(Access::Read, [](QSqlDatabase& db) -> Result<Models> {
        QSqlQuery query(db);
        if (!runStatement(query, QStringLiteral("SELECT maker, model, interval_months FROM models "
                                                "ORDER BY maker, model")))
            return Result<Models>::failure(sqlError(query));
        Models models;
        while (query.next())
            models.push_back({query.value(0).toString(), query.value(1).toString(), query.value(2).toInt()});
        return models;
    });
}

Result<std::vector<AuditEntry>> SqlHistoryStore::audit(const QString& rfid) {
    using Entries = std::vector<AuditEntry>;
    return m_connection->transaction<Entries>(Access::Read, [&](QSqlDatabase& db) -> Result<Entries> {
        QSqlQuery query(db);
        const QString select = QStringLiteral(
            "SELECT rfid, field, old_number, new_number, changed_by, changed_at, source FROM audit");
        const bool ran = rfid.isEmpty() ? runStatement(query, select + QStringLiteral(" ORDER BY id"))
                                        : runStatement(query, select + QStringLiteral(" WHERE rfid = ? ORDER BY id"),
                                                       {rfid});
        if (!ran) return Result<Entries>::failure(sqlError(query));
        Entries entries;
        while (query.next()) {
            entries.push_back({query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                               query.value(3).toString(), query.value(4).toString(), query.value(5).toString(),
                               changeSourceFromName(query.value(6).toString())});
        }
        return entries;
    });
}

}  // namespace torbex::history
