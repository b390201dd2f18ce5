#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>
#include <initializer_list>

#include "history/history_store.h"

namespace torbex::history {

enum class Dialect { Sqlite, Postgres };
enum class Access { Read, Write };

// The database's words for why a statement failed.
QString sqlError(const QSqlQuery& query);

// Runs `sql` on `query`, prepared with `values` bound in order when there are any.
bool runStatement(QSqlQuery& query, const QString& sql,
                  std::initializer_list<QVariant> values = {});

// Runs an already prepared statement with `values` bound in order.
bool runPrepared(QSqlQuery& query, std::initializer_list<QVariant> values);

// A libpq connection string for a connection string (as it is), a postgresql:// or postgres://
// URI, or a service name of pg_service.conf; a URI libpq would not take is refused.
Result<QString> postgresConnectionString(const QString& location);

// The options handed to Qt's driver: the connection string with time bounds for connecting and
// keepalives for a silent network, each unless the string sets its own, so a server that is gone
// never holds the window. A ';', which the driver would turn into a space, is refused.
Result<QString> postgresConnectOptions(const QString& location);

// This process's connection to the history's database, under a name of its own so that several
// stores can be open at once.
class SqlConnection {
public:
    static Result<std::unique_ptr<SqlConnection>> open(const DatabaseTarget& target);
    ~SqlConnection();
    SqlConnection(const SqlConnection&) = delete;
    SqlConnection& operator=(const SqlConnection&) = delete;

    Dialect dialect() const { return m_dialect; }
    const DatabaseTarget& target() const { return m_target; }

    // SQLite: turns on the write-ahead log, which lets readers go on while one process writes. It
    // changes the file, so only for a file known to be a history this program may write.
    Result<Nothing> useWriteAheadLog();

    // Runs `work` in one transaction, committed when it succeeds and rolled back when not. When
    // the connection turns out to be lost, it connects again and runs `work` once more: after a
    // server restart the first operation works, and one that cannot connect fails at once with
    // the reason. Every operation of the store finds what a lost first run committed, so running
    // it twice does no harm.
    template <typename T>
    Result<T> transaction(Access access, const std::function<Result<T>(QSqlDatabase&)>& work) {
        for (int attempt = 0;; ++attempt) {
            // A failed attempt to connect is not repeated: it may have taken the whole time-out.
            const bool wasOpen = m_db.isOpen();
            if (const Result<Nothing> ready = begin(access); !ready) {
                if (wasOpen && attempt == 0 && reconnectAfterLoss()) continue;
                return Result<T>::failure(ready.error());
            }
            Result<T> result = work(m_db);
            if (result) {
                const Result<Nothing> committed = commit();
                if (committed) return result;
                result = Result<T>::failure(committed.error());
            }
            rollback();
            if (attempt > 0 || !reconnectAfterLoss()) return result;
        }
    }

    // Runs `work` outside any transaction, connecting first if need be: for the statements
    // SQLite refuses inside one (VACUUM, ATTACH, DETACH).
    Result<Nothing> outsideTransaction(const std::function<Result<Nothing>(QSqlDatabase&)>& work);

private:
    SqlConnection(const DatabaseTarget& target, const QString& options, QString name);
    Result<Nothing> connect();
    Result<Nothing> begin(Access access);
    Result<Nothing> commit();
    void rollback();
    // True, with the connection closed, when the database no longer answers.
    bool reconnectAfterLoss();

    DatabaseTarget m_target;
    Dialect m_dialect;
    QString m_name;
    QSqlDatabase m_db;
};

}  // namespace torbex::history
