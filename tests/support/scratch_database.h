#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QVariant>

#include "history/history_store.h"

namespace torbex::testing {

enum class Backend { Sqlite, Postgres };
inline std::string backendName(const ::testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::Sqlite ? "Sqlite" : "Postgres";
}

// A database of one test's own: an SQLite file in a temporary folder, or a schema of its own on
// `server` (by default the cluster CTest starts), dropped at the end. `problem` says why not.
struct ScratchDatabase {
    explicit ScratchDatabase(Backend backend,
                             const QString& server = QStringLiteral(TORBEX_TEST_POSTGRES));
    ~ScratchDatabase();
    std::unique_ptr<history::HistoryStore> open() const;
    // The first value of `sql`, run beside the store to look at or tamper with the database;
    // with `on`, a server's connection string, run there and the value is the error text if any.
    QVariant scalar(const QString& sql, const QString& on = {}) const;

    QTemporaryDir folder;
    history::DatabaseTarget target;  // also as --database takes it
    QString server, schema, problem;
};

// Why the store at `target` was not opened; "opened" when it was.
inline QString refusal(const history::DatabaseTarget& target) {
    const auto opened = history::HistoryStore::open(target);
    return opened.ok() ? QStringLiteral("opened") : opened.error();
}

// A record as the tester sends it; by default RFID present, both results measured and passed.
struct TestRecord {
    const char* rfid = "0807060504030201";
    const char* date = "2013/02/28";
    const char* time = "11:20";
    int status = 0x8F;
    const char* flow = "  99.5";
    const char* occlusion = "53.2";
    const char* level = "M";
    const char* number = "";
    const char* setting = "150";
};
data::MeasurementRecord make(const TestRecord& test);

}  // namespace torbex::testing
