// Copies of an SQLite history, and a history's rows replaced by a copy's.
#include <QSqlError>
#include <QUuid>

#include "history/schema.h"
#include "history/sql_history_store.h"

namespace torbex::history {
namespace {

const QStringList kTables{QStringLiteral("tests"), QStringLiteral("pumps"), QStringLiteral("audit"),
                          QStringLiteral("models")};

Result<Nothing> failed(const QSqlQuery& query) { return Result<Nothing>::failure(sqlError(query)); }

}  // namespace

Result<Nothing> checkHistoryCopy(const QString& path) {
    const QString name = QStringLiteral("torbex-check-") + QUuid::createUuid().toString(QUuid::Id128);
    Result<Nothing> outcome = Nothing{};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery query(db);
        if (!db.open()) {
            outcome = Result<Nothing>::failure(db.lastError().text());
        } else if (!runStatement(query, QStringLiteral("PRAGMA integrity_check")) || !query.next()) {
            outcome = failed(query);
        } else if (const QString verdict = query.value(0).toString(); verdict != QStringLiteral("ok")) {
            outcome = Result<Nothing>::failure(QStringLiteral("the copy is damaged: ") + verdict);
        } else if (const Result<int> version = readSchemaVersion(db, Dialect::Sqlite); !version) {
            outcome = Result<Nothing>::failure(version.error());
        } else if (version.value() == 0) {
            outcome = Result<Nothing>::failure(QStringLiteral("not a torbex history: the database is empty"));
        }
    }
    QSqlDatabase::removeDatabase(name);
    return outcome;
}

Result<Nothing> SqlHistoryStore::copyTo(const QString& path) {
    if (m_connection->dialect() != Dialect::Sqlite)
        return Result<Nothing>::failure(
            QStringLiteral("a PostgreSQL history is backed up with the server's pg_dump (see the README)"));
    // VACUUM INTO reads one snapshot: writers may go on meanwhile.
    return m_connection->outsideTransaction([&path](QSqlDatabase& db) -> Result<Nothing> {
        QSqlQuery query(db);
        return runStatement(query, QStringLiteral("VACUUM INTO ?"), {path}) ? Result<Nothing>(Nothing{})
                                                                            : failed(query);
    });
}

Result<Nothing> SqlHistoryStore::replaceWith(const QString& path) {
    if (m_connection->dialect() != Dialect::Sqlite)
        return Result<Nothing>::failure(
            QStringLiteral("a PostgreSQL history is restored with the server's pg_restore (see the README)"));
    const Result<Nothing> attached = m_connection->outsideTransaction([&path](QSqlDatabase& db) -> Result<Nothing> {
        QSqlQuery query(db);
        return runStatement(query, QStringLiteral("ATTACH DATABASE ? AS restored"), {path}) ? Result<Nothing>(Nothing{})
                                                                                           : failed(query);
    });
    if (!attached) return attached;
    // One transaction: a failure leaves every row as it was.
    const Result<Nothing> replaced =
        m_connection->transaction<Nothing>(Access::Write, [](QSqlDatabase& db) -> Result<Nothing> {
            QSqlQuery query(db);
            for (const QString& table : kTables) {
                if (!runStatement(query, QStringLiteral("DELETE FROM main.%1").arg(table)) ||
                    !runStatement(query, QStringLiteral("INSERT INTO main.%1 SELECT * FROM restored.%1").arg(table)))
                    return failed(query);
            }
            return Nothing{};
        });
    (void)m_connection->outsideTransaction([](QSqlDatabase& db) -> Result<Nothing> {
        QSqlQuery query(db);
        (void)query.exec(QStringLiteral("DETACH DATABASE restored"));
        return Nothing{};
    });
    return replaced;
}

}  // namespace torbex::history
