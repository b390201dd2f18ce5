#include "history/sql_history_store.h"

#include <QSqlError>

#include "history/schema.h"
#include "history/sql_register_rows.h"
#include "history/test_columns.h"

namespace torbex::history {
namespace {

const QString kInsertTest = QStringLiteral(
    "INSERT INTO tests (tester_serial, rfid, measure_date, measure_time, status, flow_setting, "
    "flow_result, occlusion_level, occlusion_result) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) "
    "ON CONFLICT DO NOTHING");

// A test first kept from a data file learns the tester that measured it, and its error flags.
const QString kFillSerial = QStringLiteral(
    "UPDATE tests SET tester_serial = ?, status = ? WHERE tester_serial = '' AND rfid = ? "
    "AND measure_date = ? AND measure_time = ? AND flow_setting = ? "
    "AND COALESCE(flow_result, -2147483647) = ? AND occlusion_level = ? "
    "AND COALESCE(occlusion_result, -2147483647) = ? AND (status & 3) = ?");

// Each pump's newest test found through the unique index, a few steps a pump, rather than by
// ranking every test: the list stays quick over years of tests. Then what the register knows of
// it, and its model's interval.
const QString kPumps = QStringLiteral(
    "SELECT g.rfid, g.tests, t.measure_date, t.status, m.interval_months, %1 FROM "
    "(SELECT c.rfid, COUNT(*) AS tests, (SELECT n.id FROM tests n WHERE n.rfid = c.rfid "
    "ORDER BY n.measure_date DESC, n.measure_time DESC, n.id DESC LIMIT 1) AS newest "
    "FROM tests c WHERE c.rfid <> '' GROUP BY c.rfid) g "
    "JOIN tests t ON t.id = g.newest LEFT JOIN pumps p ON p.rfid = g.rfid "
    "LEFT JOIN models m ON m.maker = p.maker AND m.model = p.model "
    "UNION ALL SELECT p.rfid, 0, '', 0, m.interval_months, %1 FROM pumps p "
    "LEFT JOIN models m ON m.maker = p.maker AND m.model = p.model "
    "WHERE NOT EXISTS (SELECT 1 FROM tests t WHERE t.rfid = p.rfid) ORDER BY 1");

// The same on PostgreSQL, whose planner otherwise reads every test twice more (to join the newest
// back, and to find the pumps never tested): each pump's newest test is read beside its count.
const QString kPumpsPostgres = QStringLiteral(
    "WITH g AS MATERIALIZED (SELECT rfid, COUNT(*) AS tests FROM tests WHERE rfid <> '' GROUP BY rfid) "
    "SELECT g.rfid, g.tests, n.measure_date, n.status, m.interval_months, %1 FROM g "
    "CROSS JOIN LATERAL (SELECT t.measure_date, t.status FROM tests t WHERE t.rfid = g.rfid "
    "ORDER BY t.measure_date DESC, t.measure_time DESC, t.id DESC LIMIT 1) n "
    "LEFT JOIN pumps p ON p.rfid = g.rfid "
    "LEFT JOIN models m ON m.maker = p.maker AND m.model = p.model "
    "UNION ALL SELECT p.rfid, 0, '', 0, m.interval_months, %1 FROM pumps p "
    "LEFT JOIN models m ON m.maker = p.maker AND m.model = p.model "
    "WHERE NOT EXISTS (SELECT 1 FROM g WHERE g.rfid = p.rfid) ORDER BY 1");

const QString kTests = QStringLiteral(
    "SELECT t.tester_serial, t.rfid, COALESCE(p.management_no, ''), t.measure_date, "
    "t.measure_time, t.status, t.flow_setting, t.flow_result, t.occlusion_level, "
    "t.occlusion_result FROM tests t LEFT JOIN pumps p ON p.rfid = t.rfid AND t.rfid <> '' "
    "WHERE t.measure_date >= ?");

QVariant nullable(const std::optional<int>& value) {
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<int>());
}

std::optional<int> optionalInt(const QVariant& value) {
    if (value.isNull()) return std::nullopt;
    return value.toInt();
}

}  // namespace

Result<std::vector<KeptTest>> HistoryStore::tests(const TestQuery& query) {
    std::vector<KeptTest> tests;
    const Result<Nothing> read = eachTest(query, [&tests](const KeptTest& test) {
        tests.push_back(test);
        return true;
    });
    if (!read) return Result<std::vector<KeptTest>>::failure(read.error());
    return tests;
}

QString HistoryTestSource::forEach(const Each& each) {
    const Result<Nothing> read = m_store.eachTest(
        m_query, [&each](const KeptTest& test) { return each(test.record, test.testerSerial); });
    return read ? QString() : read.error();
}

Result<std::unique_ptr<HistoryStore>> HistoryStore::open(const DatabaseTarget& target) {
    Result<std::unique_ptr<SqlConnection>> connection = SqlConnection::open(target);
    if (!connection) return Result<std::unique_ptr<HistoryStore>>::failure(connection.error());
    if (const Result<Nothing> upgraded = upgradeSchema(*connection.value()); !upgraded)
        return Result<std::unique_ptr<HistoryStore>>::failure(upgraded.error());
    return std::unique_ptr<HistoryStore>(
        std::make_unique<SqlHistoryStore>(std::move(connection.value())));
}

Result<int> SqlHistoryStore::insertTests(QSqlDatabase& db, const QString& testerSerial,
                                         std::span<const data::MeasurementRecord> records) {
    QSqlQuery insert(db);
    QSqlQuery fill(db);
    if (!insert.prepare(kInsertTest)) return Result<int>::failure(sqlError(insert));
    if (!testerSerial.isEmpty() && !fill.prepare(kFillSerial))
        return Result<int>::failure(sqlError(fill));
    int added = 0;
    for (const data::MeasurementRecord& record : records) {
        const TestColumns row = testColumns(record);
        if (!runPrepared(insert, {testerSerial, row.rfid, row.measureDate, row.measureTime,
                                  row.status, row.flowSetting, nullable(row.flowResult),
                                  row.occlusionLevel, nullable(row.occlusionResult)}))
            return Result<int>::failure(sqlError(insert));
        if (insert.numRowsAffected() > 0) {
            ++added;
        } else if (!testerSerial.isEmpty() &&
                   !runPrepared(
                       fill, {testerSerial, row.status, row.rfid, row.measureDate, row.measureTime,
                              row.flowSetting, row.flowResult.value_or(kNoResultKey),
                              row.occlusionLevel, row.occlusionResult.value_or(kNoResultKey),
                              row.status & kMeasuredBits})) {
            return Result<int>::failure(sqlError(fill));
        }
    }
    return added;
}

Result<int> SqlHistoryStore::recordTests(const QString& testerSerial,
                                         std::span<const data::MeasurementRecord> records) {
    return m_connection->transaction<int>(
        Access::Write, [&](QSqlDatabase& db) { return insertTests(db, testerSerial, records); });
}

Result<ImportSummary> SqlHistoryStore::recordDataFile(
    std::span<const data::MeasurementRecord> records) {
    return m_connection->transaction<ImportSummary>(
        Access::Write, [&](QSqlDatabase& db) -> Result<ImportSummary> {
            const Result<int> added = insertTests(db, QString(), records);
            if (!added) return Result<ImportSummary>::failure(added.error());
            Result<std::vector<NumberConflict>> conflicts =
                insertNumbers(db, records, ChangeSource::File);
            if (!conflicts) return Result<ImportSummary>::failure(conflicts.error());
            return ImportSummary{1, added.value(), std::move(conflicts.value())};
        });
}

Result<std::vector<PumpSummary>> SqlHistoryStore::pumps(int intervalMonths) {
    return m_connection->transaction<std::vector<PumpSummary>>(
        Access::Read, [&](QSqlDatabase& db) -> Result<std::vector<PumpSummary>> {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            const QString& select = m_connection->dialect() == Dialect::Postgres ? kPumpsPostgres : kPumps;
            if (!runStatement(query, select.arg(kRegisterColumns)))
                return Result<std::vector<PumpSummary>>::failure(sqlError(query));
            std::vector<PumpSummary> pumps;
            while (query.next()) {
                PumpSummary pump;
                const RegisteredPump registered = pumpFromRow(query, 5, query.value(0).toString());
                pump.rfid = registered.rfid;
                pump.managementNo = registered.managementNo;
                pump.details = registered.details;
                pump.tests = query.value(1).toInt();
                pump.lastDate = query.value(2).toString();
                // A pump in the registry only has status 0 (nothing measured) and no date.
                const auto status = static_cast<std::uint8_t>(query.value(3).toInt());
                pump.lastFlow = data::verdictOf(status, data::Measure::Flow);
                pump.lastOcclusion = data::verdictOf(status, data::Measure::Occlusion);
                pump.intervalMonths = query.value(4).isNull() ? intervalMonths : query.value(4).toInt();
                pump.due = QDate::fromString(pump.lastDate, Qt::ISODate).addMonths(pump.intervalMonths);
                pumps.push_back(std::move(pump));
            }
            return pumps;
        });
}

Result<Nothing> SqlHistoryStore::eachTest(const TestQuery& query,
                                          const std::function<bool(const KeptTest&)>& each) {
    return m_connection->transaction<Nothing>(
        Access::Read, [&](QSqlDatabase& db) -> Result<Nothing> {
            QSqlQuery rows(db);
            // Row by row: a history of years is never held whole.
            rows.setForwardOnly(true);
            const QString from = query.since.isValid() ? query.since.toString(Qt::ISODate) : QString();
            const QString order = QStringLiteral(" ORDER BY %1t.measure_date, t.measure_time, t.id")
                                      .arg(query.byPump ? QStringLiteral("t.rfid, ") : QString());
            const bool ran =
                query.rfid.isEmpty()
                    ? runStatement(rows, kTests + order, {from})
                    : runStatement(rows, kTests + QStringLiteral(" AND t.rfid = ?") + order,
                                   {from, query.rfid});
            if (!ran) return Result<Nothing>::failure(sqlError(rows));
            KeptTest test;
            while (rows.next()) {
                const TestColumns columns{rows.value(1).toString(), rows.value(3).toString(),
                                          rows.value(4).toString(), rows.value(5).toInt(),
                                          rows.value(6).toInt(),    optionalInt(rows.value(7)),
                                          rows.value(8).toString(), optionalInt(rows.value(9))};
                test.testerSerial = rows.value(0).toString();
                test.record = recordOfColumns(columns, rows.value(2).toString());
                if (!each(test)) break;
            }
            if (rows.lastError().isValid()) return Result<Nothing>::failure(sqlError(rows));
            return Nothing{};
        });
}

Result<int> SqlHistoryStore::testCount() {
    return m_connection->transaction<int>(Access::Read, [](QSqlDatabase& db) -> Result<int> {
        QSqlQuery query(db);
        if (!runStatement(query, QStringLiteral("SELECT COUNT(*) FROM tests")) || !query.next())
            return Result<int>::failure(sqlError(query));
        return query.value(0).toInt();
    });
}

Result<bool> SqlHistoryStore::integrityOk() {
    const bool sqlite = m_connection->dialect() == Dialect::Sqlite;
    return m_connection->transaction<bool>(
        Access::Read, [sqlite](QSqlDatabase& db) -> Result<bool> {
            QSqlQuery query(db);
            // PostgreSQL keeps its own files whole; that it answers is all there is to ask.
            if (!runStatement(query, sqlite ? QStringLiteral("PRAGMA integrity_check")
                                            : QStringLiteral("SELECT 'ok'")) ||
                !query.next())
                return Result<bool>::failure(sqlError(query));
            return query.value(0).toString() == QStringLiteral("ok");
        });
}

}  // namespace torbex::history
