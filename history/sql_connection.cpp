#include "history/sql_connection.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QThread>
#include <atomic>

namespace torbex::history {
namespace {

// The window and the tool may write at once; the second waits this long for the first. On
// PostgreSQL this bounds every wait for a lock, and a statement gets twice as long.
constexpr int kBusyTimeoutMs = 5000;
constexpr int kStatementTimeoutMs = 2 * kBusyTimeoutMs;

// The key of PostgreSQL's lock that writers take turns on: a number no other program in the
// database would take.
constexpr qint64 kWriterLock = 0x746F72626578;  // "torbex"

QString connectionName() {
    static std::atomic<int> next{0};
    return QStringLiteral("torbex-history-%1").arg(next++);
}

QString databaseError(const QSqlError& error) {
    const QString text = error.text().trimmed();
    return text.isEmpty() ? QStringLiteral("the database gave no reason") : text;
}

// Turns the write-ahead log on. That needs the file to itself, and SQLite does not wait for it:
// two processes opening a new file at once would refuse each other.
bool writeAheadLog(QSqlQuery& pragma) {
    const QDeadlineTimer deadline(kBusyTimeoutMs);
    for (;;) {
        if (pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL")) && pragma.next())
            return pragma.value(0).toString().compare(QStringLiteral("wal"), Qt::CaseInsensitive) ==
                   0;
        if (pragma.lastError().nativeErrorCode() != QStringLiteral("5") || deadline.hasExpired())
            return false;
        QThread::msleep(10);  // SQLITE_BUSY
    }
}

// The session's bounds: no wait for another writer, a row someone holds or a slow statement
// lasts for ever. Bounds the connection string or the server set are kept.
QString sessionBounds() {
    return QStringLiteral(
               "SELECT CASE WHEN current_setting('lock_timeout') = '0' "
               "THEN set_config('lock_timeout', '%1ms', false) END, "
               "CASE WHEN current_setting('statement_timeout') = '0' "
               "THEN set_config('statement_timeout', '%2ms', false) END")
        .arg(kBusyTimeoutMs)
        .arg(kStatementTimeoutMs);
}

// Why a transaction could not start, saying so when another writer held the history too long.
QString beginError(const QSqlQuery& query) {
    const QString code = query.lastError().nativeErrorCode();
    if (code != QStringLiteral("5") && code != QStringLiteral("55P03")) return sqlError(query);
    return QStringLiteral(
               "another program is writing to the history and has not finished in "
               "time (%1)")
        .arg(sqlError(query));
}

// Why SQLite must not open `path`: a device, folder or pipe is no place for a history, and
// SQLite would at best fail with an obscure reason, after making its journal beside it.
std::optional<QString> notARegularFile(const QString& path) {
    if (path.isEmpty()) return QStringLiteral("no SQLite file is named");
    const QFileInfo file(path);
    if (file.exists() && !file.isFile()) return path + QStringLiteral(": not a regular file");
    return std::nullopt;
}

}  // namespace

QString sqlError(const QSqlQuery& query) { return databaseError(query.lastError()); }

bool runPrepared(QSqlQuery& query, std::initializer_list<QVariant> values) {
    int position = 0;
    for (const QVariant& value : values) {
        // Qt binds a null QString as NULL; the history's texts are never NULL, at most empty.
        const bool nullText = value.typeId() == QMetaType::QString && value.toString().isNull();
        query.bindValue(position++, nullText ? QVariant(QStringLiteral("")) : value);
    }
    return query.exec();
}

bool runStatement(QSqlQuery& query, const QString& sql, std::initializer_list<QVariant> values) {
    // PostgreSQL prepares no DDL; a statement without values has nothing to bind anyway.
    if (values.size() == 0) return query.exec(sql);
    // A statement run again on the same query keeps its plan: imports run one per pump.
    if (query.lastQuery() != sql && !query.prepare(sql)) return false;
    return runPrepared(query, values);
}

Result<std::unique_ptr<SqlConnection>> SqlConnection::open(const DatabaseTarget& target) {
    using Opened = Result<std::unique_ptr<SqlConnection>>;
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs);
    if (target.kind == DatabaseTarget::Kind::Postgres) {
        const Result<QString> postgres = postgresConnectOptions(target.location);
        if (!postgres) return Opened::failure(postgres.error());
        options = postgres.value();
    }
    std::unique_ptr<SqlConnection> connection(new SqlConnection(target, options, connectionName()));
    if (!connection->m_db.isValid())
        return Opened::failure(databaseError(connection->m_db.lastError()));
    if (const Result<Nothing> connected = connection->connect(); !connected)
        return Opened::failure(connected.error());
    return connection;
}

SqlConnection::SqlConnection(const DatabaseTarget& target, const QString& options, QString name)
    : m_target(target),
      m_dialect(target.kind == DatabaseTarget::Kind::Sqlite ? Dialect::Sqlite : Dialect::Postgres),
      m_name(std::move(name)),
      m_db(QSqlDatabase::addDatabase(
          m_dialect == Dialect::Sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"),
          m_name)) {
    if (m_dialect == Dialect::Sqlite) m_db.setDatabaseName(target.location);
    m_db.setConnectOptions(options);
}

SqlConnection::~SqlConnection() {
    m_db.close();
    m_db = QSqlDatabase();  // the last handle must be gone before the name is removed
    QSqlDatabase::removeDatabase(m_name);
}

Result<Nothing> SqlConnection::connect() {
    if (m_dialect == Dialect::Sqlite) {
        if (const auto refused = notARegularFile(m_target.location))
            return Result<Nothing>::failure(*refused);
        if (!QDir().mkpath(QFileInfo(m_target.location).absolutePath()))
            return Result<Nothing>::failure(QStringLiteral("cannot create the folder of ") +
                                            m_target.location);
    }
    if (!m_db.open()) return Result<Nothing>::failure(databaseError(m_db.lastError()));
    // Settings of this connection only; the file is not touched before its schema is known.
    // FULL makes an SQLite commit survive a power loss.
    QSqlQuery settings(m_db);
    if (settings.exec(m_dialect == Dialect::Sqlite ? QStringLiteral("PRAGMA synchronous=FULL")
                                                   : sessionBounds()))
        return Nothing{};
    const QString reason = sqlError(settings);
    settings = QSqlQuery();
    m_db.close();
    return Result<Nothing>::failure(reason);
}

Result<Nothing> SqlConnection::useWriteAheadLog() {
    if (m_dialect != Dialect::Sqlite) return Nothing{};
    QSqlQuery pragma(m_db);
    if (writeAheadLog(pragma)) return Nothing{};
    return Result<Nothing>::failure(
        m_target.location + QStringLiteral(": ") +
        (pragma.lastError().isValid() ? sqlError(pragma) : QStringLiteral("no write-ahead log")));
}

Result<Nothing> SqlConnection::begin(Access access) {
    if (!m_db.isOpen()) {
        if (const Result<Nothing> connected = connect(); !connected) return connected;
    }
    // Writers take turns, one transaction at a time, on both back-ends. SQLite's IMMEDIATE takes
    // its write lock at once: a writer that had only read could not wait and would fail instead.
    // On PostgreSQL the lock keeps imports holding the same tests in other orders from waiting
    // for each other in a circle, which the server would end by failing one of them.
    QSqlQuery query(m_db);
    const bool write = access == Access::Write;
    if (!query.exec(write && m_dialect == Dialect::Sqlite ? QStringLiteral("BEGIN IMMEDIATE")
                                                          : QStringLiteral("BEGIN")))
        return Result<Nothing>::failure(beginError(query));
    if (write && m_dialect == Dialect::Postgres &&
        !runStatement(query, QStringLiteral("SELECT pg_advisory_xact_lock(?)"), {kWriterLock})) {
        const QString reason = beginError(query);
        rollback();
        return Result<Nothing>::failure(reason);
    }
    return Nothing{};
}

Result<Nothing> SqlConnection::outsideTransaction(
    const std::function<Result<Nothing>(QSqlDatabase&)>& work) {
    if (!m_db.isOpen()) {
        if (const Result<Nothing> connected = connect(); !connected) return connected;
    }
    return work(m_db);
}

Result<Nothing> SqlConnection::commit() {
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("COMMIT"))) return Result<Nothing>::failure(sqlError(query));
    return Nothing{};
}

void SqlConnection::rollback() {
    QSqlQuery query(m_db);
    (void)query.exec(QStringLiteral("ROLLBACK"));  // nothing to undo when the transaction is gone
}

bool SqlConnection::reconnectAfterLoss() {
    {
        QSqlQuery probe(m_db);
        if (m_db.isOpen() && probe.exec(QStringLiteral("SELECT 1"))) return false;
    }
    m_db.close();
    return true;
}

}  // namespace torbex::history
