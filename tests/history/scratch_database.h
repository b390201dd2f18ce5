#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QVariant>

#include "history/history_store.h"

namespace torbex::testing {

enum class Backend { Sqlite, Postgres };
std::string backendName(const ::testing::TestParamInfo<Backend>& info);

// The test cluster's connection string: TORBEX_TEST_POSTGRES, or the cluster CTest starts.
QString testPostgres();

// A database of one test's own: an SQLite file in a temporary folder, or a schema of its own in
// the test cluster, dropped at the end. `problem` says why there is none.
class ScratchDatabase {
public:
    explicit ScratchDatabase(Backend backend, const QString& server = testPostgres());
    ~ScratchDatabase();

    // As --database takes it too.
    const history::DatabaseTarget& target() const { return m_target; }
    std::unique_ptr<history::HistoryStore> open() const;
    // The first value of `sql` run beside the store, to look at or tamper with the database.
    QVariant scalar(const QString& sql) const;

    QTemporaryDir folder;
    QString problem;

private:
    history::DatabaseTarget m_target;
    QString m_server;
    QString m_schema;
};

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
// The records as a data file gives them back.
std::vector<data::MeasurementRecord> throughDataFile(
    std::span<const data::MeasurementRecord> records);
void writeDataFile(const QString& path, std::span<const data::MeasurementRecord> records);

}  // namespace torbex::testing
