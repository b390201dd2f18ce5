#pragma once

#include <benchmark/benchmark.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <functional>

#include "history/history_store.h"

namespace torbex::bench {

// Runs `use` on a history in a schema of its own on the server TORBEX_BENCH_POSTGRES names (a
// libpq connection string), and drops the schema after; without a server the benchmark is skipped.
inline void inPostgresSchema(benchmark::State& state, const std::function<void(history::HistoryStore&)>& use) {
    const QString server = qEnvironmentVariable("TORBEX_BENCH_POSTGRES");
    if (server.isEmpty()) return state.SkipWithError("TORBEX_BENCH_POSTGRES is not set (a libpq connection string)");
    const QString schema = QStringLiteral("bench") + QUuid::createUuid().toString(QUuid::Id128);
    const auto run = [&](const QString& sql) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), schema);
            db.setConnectOptions(server);
            if (db.open()) QSqlQuery(db).exec(sql);
        }
        QSqlDatabase::removeDatabase(schema);
    };
    run(QStringLiteral("CREATE SCHEMA ") + schema);
    {
        auto store = history::HistoryStore::open(
            {history::DatabaseTarget::Kind::Postgres, server + QStringLiteral(" options=-csearch_path=") + schema});
        if (store) use(*store.value());
        else state.SkipWithError(store.error().toLocal8Bit().constData());
    }
    run(QStringLiteral("SET client_min_messages = warning; DROP SCHEMA %1 CASCADE").arg(schema));
}

}  // namespace torbex::bench
