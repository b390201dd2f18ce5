#include "history/schema.h"

#include <QRegularExpression>
#include <QStringList>
#include <array>

namespace torbex::history {
namespace {

// The statements that take a database from the version before to `version`. "{id}" stands for
// the dialect's self-numbering key. A later version adds an entry; earlier entries never change.
struct Migration {
    int version;
    QStringList statements;
};

const std::array<Migration, 3>& migrations() {
    static const std::array<Migration, 3> list{{
        {1,
         {
             // Results in tenths; NULL when not measured. A test is the same test whatever tester
             // sent it: the unique key leaves the serial out, and its status part keeps only the
             // bits a data file keeps (measured and passed), so a file's copy meets the download.
             QStringLiteral(
                 "CREATE TABLE tests (id {id}, tester_serial TEXT NOT NULL, rfid TEXT NOT NULL, "
                 "measure_date TEXT NOT NULL, measure_time TEXT NOT NULL, status INTEGER NOT NULL, "
                 "flow_setting INTEGER NOT NULL, flow_result INTEGER, "
                 "occlusion_level TEXT NOT NULL, "
                 "occlusion_result INTEGER)"),
             QStringLiteral(
                 "CREATE UNIQUE INDEX tests_identity ON tests (rfid, measure_date, measure_time, "
                 "flow_setting, (COALESCE(flow_result, -2147483647)), occlusion_level, "
                 "(COALESCE(occlusion_result, -2147483647)), (status & 15))"),
             QStringLiteral(
                 "CREATE TABLE pumps (rfid TEXT PRIMARY KEY, management_no TEXT NOT NULL)"),
             QStringLiteral(
                 "CREATE TABLE audit (id {id}, rfid TEXT NOT NULL, old_number TEXT NOT NULL, "
                 "new_number TEXT NOT NULL, changed_by TEXT NOT NULL, changed_at TEXT NOT NULL, "
                 "source TEXT NOT NULL)"),
             QStringLiteral("CREATE INDEX audit_rfid ON audit (rfid)"),
         }},
        {2,
         {
             // A data file writes a measurement that ended in error as failed, where it used to
             // write the tester's pass flag: the pass flags no longer tell a test's copies apart.
             // Copies that differed only in them become one, the one naming its tester kept.
             QStringLiteral(
                 "DELETE FROM tests WHERE EXISTS (SELECT 1 FROM tests u WHERE u.rfid = tests.rfid "
                 "AND u.measure_date = tests.measure_date AND u.measure_time = tests.measure_time "
                 "AND u.flow_setting = tests.flow_setting "
                 "AND COALESCE(u.flow_result, -2147483647) = COALESCE(tests.flow_result, -2147483647) "
                 "AND u.occlusion_level = tests.occlusion_level "
                 "AND COALESCE(u.occlusion_result, -2147483647) = "
                 "COALESCE(tests.occlusion_result, -2147483647) "
                 "AND (u.status & 3) = (tests.status & 3) AND u.id <> tests.id "
                 "AND ((u.tester_serial <> '' AND tests.tester_serial = '') OR "
                 "((u.tester_serial = '') = (tests.tester_serial = '') AND u.id < tests.id)))"),
             QStringLiteral("DROP INDEX tests_identity"),
             QStringLiteral(
                 "CREATE UNIQUE INDEX tests_identity ON tests (rfid, measure_date, measure_time, "
                 "flow_setting, (COALESCE(flow_result, -2147483647)), occlusion_level, "
                 "(COALESCE(occlusion_result, -2147483647)), (status & 3))"),
         }},
        {3,
         {
             // The register: what a department knows of each pump, and how often each model is
             // inspected. The audit trail names the field each change was made to; the changes
             // kept so far were all to management numbers.
             QStringLiteral("ALTER TABLE pumps ADD COLUMN maker TEXT NOT NULL DEFAULT ''"),
             QStringLiteral("ALTER TABLE pumps ADD COLUMN model TEXT NOT NULL DEFAULT ''"),
             QStringLiteral("ALTER TABLE pumps ADD COLUMN serial TEXT NOT NULL DEFAULT ''"),
             QStringLiteral("ALTER TABLE pumps ADD COLUMN department TEXT NOT NULL DEFAULT ''"),
             QStringLiteral("ALTER TABLE pumps ADD COLUMN location TEXT NOT NULL DEFAULT ''"),
             QStringLiteral("ALTER TABLE pumps ADD COLUMN status TEXT NOT NULL DEFAULT 'in-service'"),
             QStringLiteral("ALTER TABLE pumps ADD COLUMN notes TEXT NOT NULL DEFAULT ''"),
             QStringLiteral("CREATE INDEX pumps_management_no ON pumps (management_no)"),
             QStringLiteral(
                 "CREATE TABLE models (maker TEXT NOT NULL, model TEXT NOT NULL, "
                 "interval_months INTEGER NOT NULL, PRIMARY KEY (maker, model))"),
             QStringLiteral("ALTER TABLE audit ADD COLUMN field TEXT NOT NULL DEFAULT 'number'"),
         }},
    }};
    return list;
}

QString inDialect(QString statement, Dialect dialect) {
    return statement.replace(
        QStringLiteral("{id}"),
        dialect == Dialect::Sqlite
            ? QStringLiteral("INTEGER PRIMARY KEY")
            : QStringLiteral("BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY"));
}

// The tables and views of the database (on PostgreSQL, of the schema the connection works in),
// SQLite's own and a PostgreSQL extension's left out.
Result<QStringList> tableNames(QSqlDatabase& db, Dialect dialect) {
    QSqlQuery query(db);
    const QString tables =
        dialect == Dialect::Sqlite
            ? QStringLiteral(
                  "SELECT name FROM sqlite_master WHERE type IN ('table', 'view') "
                  "AND name NOT LIKE 'sqlite!_%' ESCAPE '!'")
            : QStringLiteral(
                  "SELECT c.relname FROM pg_catalog.pg_class c WHERE c.relnamespace = "
                  "current_schema()::regnamespace AND c.relkind IN ('r', 'p', 'v', 'm', 'f') "
                  "AND NOT EXISTS (SELECT 1 FROM pg_catalog.pg_depend d "
                  "WHERE d.objid = c.oid AND d.deptype = 'e')");
    if (!runStatement(query, tables)) return Result<QStringList>::failure(sqlError(query));
    QStringList names;
    while (query.next()) names << query.value(0).toString();
    return names;
}

// The tables a history of `version` has: those its migrations create.
QStringList expectedTables(int version) {
    static const QRegularExpression created(QStringLiteral("^CREATE TABLE (\\w+)"));
    QStringList tables;
    for (const Migration& migration : migrations()) {
        if (migration.version > version) break;
        for (const QString& statement : migration.statements)
            if (const QRegularExpressionMatch match = created.match(statement); match.hasMatch())
                tables << match.captured(1);
    }
    return tables;
}

Result<int> notAHistory(const QString& why) {
    return Result<int>::failure(QStringLiteral("not a torbex history: ") + why +
                                QStringLiteral("; it is left as it is"));
}

// 0 for an empty database. One that holds other tables than the history's is another program's,
// or a history someone has cut down: neither is touched.
Result<int> schemaVersion(QSqlDatabase& db, Dialect dialect) {
    const Result<QStringList> tables = tableNames(db, dialect);
    if (!tables) return Result<int>::failure(tables.error());
    if (tables.value().isEmpty()) return 0;
    if (!tables.value().contains(QStringLiteral("schema_version")))
        return notAHistory(QStringLiteral("the database holds other tables and no schema_version"));
    QSqlQuery query(db);
    if (!runStatement(query, QStringLiteral("SELECT MAX(version) FROM schema_version")) ||
        !query.next())
        return Result<int>::failure(sqlError(query));
    const int version = query.value(0).toInt();
    if (version > knownSchemaVersion()) return version;  // a newer program may have others
    for (const QString& table : expectedTables(version)) {
        if (!tables.value().contains(table))
            return notAHistory(
                QStringLiteral("its schema version %1 has no table %2").arg(version).arg(table));
    }
    return version;
}

Result<int> refuseNewer(int version) {
    if (version <= knownSchemaVersion()) return version;
    return Result<int>::failure(
        QStringLiteral("the history database has schema version %1, newer than this "
                       "program's %2: it was written by a newer torbex, which is needed")
            .arg(version)
            .arg(knownSchemaVersion()));
}

Result<Nothing> migrate(QSqlDatabase& db, Dialect dialect) {
    // Writers take turns (see SqlConnection), so a second process opening a new database waits
    // here, then finds the tables made.
    QSqlQuery query(db);
    const Result<int> version = schemaVersion(db, dialect);
    if (!version) return Result<Nothing>::failure(version.error());
    if (const Result<int> known = refuseNewer(version.value()); !known)
        return Result<Nothing>::failure(known.error());
    if (version.value() == 0 &&
        !runStatement(query,
                      QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)")))
        return Result<Nothing>::failure(sqlError(query));
    for (const Migration& migration : migrations()) {
        if (migration.version <= version.value()) continue;
        for (const QString& statement : migration.statements) {
            if (!runStatement(query, inDialect(statement, dialect)))
                return Result<Nothing>::failure(QStringLiteral("schema version %1: %2")
                                                    .arg(migration.version)
                                                    .arg(sqlError(query)));
        }
    }
    if (!runStatement(query, QStringLiteral("DELETE FROM schema_version")) ||
        !runStatement(query, QStringLiteral("INSERT INTO schema_version (version) VALUES (?)"),
                      {knownSchemaVersion()}))
        return Result<Nothing>::failure(sqlError(query));
    return Nothing{};
}

}  // namespace

int knownSchemaVersion() { return migrations().back().version; }

Result<int> readSchemaVersion(QSqlDatabase& db, Dialect dialect) {
    const Result<int> version = schemaVersion(db, dialect);
    return version ? refuseNewer(version.value()) : version;
}

Result<Nothing> upgradeSchema(SqlConnection& connection) {
    const Dialect dialect = connection.dialect();
    // Most opens find the schema current; only a read, so an open never waits for a writer.
    const Result<int> found = connection.transaction<int>(
        Access::Read, [dialect](QSqlDatabase& db) { return schemaVersion(db, dialect); });
    if (!found) return Result<Nothing>::failure(found.error());
    if (const Result<int> known = refuseNewer(found.value()); !known)
        return Result<Nothing>::failure(known.error());
    // Only now is the database known to be one this program may change.
    if (const Result<Nothing> logged = connection.useWriteAheadLog(); !logged) return logged;
    if (found.value() == knownSchemaVersion()) return Nothing{};
    return connection.transaction<Nothing>(
        Access::Write, [dialect](QSqlDatabase& db) { return migrate(db, dialect); });
}

}  // namespace torbex::history
