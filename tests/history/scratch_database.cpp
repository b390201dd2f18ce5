#include "history/scratch_database.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include "data/csv_format.h"
#include "data/file_io.h"

namespace torbex::testing {
namespace {

// Runs `sql` on its own connection to `target`; the first value, or an error text in `error`.
QVariant runBeside(const history::DatabaseTarget& target, const QString& sql,
                   QString* error = nullptr) {
    const QString name = QUuid::createUuid().toString();
    QVariant value;
    {
        const bool sqlite = target.kind == history::DatabaseTarget::Kind::Sqlite;
        QSqlDatabase db = QSqlDatabase::addDatabase(
            sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), name);
        if (sqlite)
            db.setDatabaseName(target.location);
        else
            db.setConnectOptions(target.location);
        QSqlQuery query(db);
        if (!db.open()) {
            if (error) *error = db.lastError().text();
        } else if (!query.exec(sql)) {
            if (error) *error = query.lastError().text();
        } else if (query.next()) {
            value = query.value(0);
        }
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}

}  // namespace

std::string backendName(const ::testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::Sqlite ? "Sqlite" : "Postgres";
}

QString testPostgres() {
    const QString given = qEnvironmentVariable("TORBEX_TEST_POSTGRES");
    return given.isEmpty() ? QStringLiteral(TORBEX_TEST_POSTGRES) : given;
}

ScratchDatabase::ScratchDatabase(Backend backend, const QString& server) : m_server(server) {
    if (backend == Backend::Sqlite) {
        m_target = {history::DatabaseTarget::Kind::Sqlite,
                    folder.filePath(QStringLiteral("history.sqlite"))};
        return;
    }
    m_schema = QStringLiteral("t") + QUuid::createUuid().toString(QUuid::Id128);
    runBeside({history::DatabaseTarget::Kind::Postgres, server},
              QStringLiteral("CREATE SCHEMA ") + m_schema, &problem);
    if (!problem.isEmpty())
        problem = QStringLiteral(
                      "the test cluster (%1) does not answer; CTest starts it, or start it with "
                      "tests/history/postgres_cluster.sh: %2")
                      .arg(server, problem);
    m_target = {history::DatabaseTarget::Kind::Postgres,
                server + QStringLiteral(" options=-csearch_path=") + m_schema};
}

ScratchDatabase::~ScratchDatabase() {
    if (!m_schema.isEmpty() && problem.isEmpty())
        runBeside({history::DatabaseTarget::Kind::Postgres, m_server},
                  QStringLiteral("SET client_min_messages = warning; DROP SCHEMA %1 CASCADE")
                      .arg(m_schema));
}

std::unique_ptr<history::HistoryStore> ScratchDatabase::open() const {
    auto store = history::HistoryStore::open(m_target);
    EXPECT_TRUE(store.ok()) << (store.ok() ? "" : store.error().toStdString());
    return store.ok() ? std::move(store.value()) : nullptr;
}

QVariant ScratchDatabase::scalar(const QString& sql) const {
    QString error;
    const QVariant value = runBeside(m_target, sql, &error);
    EXPECT_TRUE(error.isEmpty()) << sql.toStdString() << ": " << error.toStdString();
    return value;
}

data::MeasurementRecord make(const TestRecord& test) {
    data::MeasurementRecord record;
    record.status = static_cast<std::uint8_t>(*test.rfid ? test.status | data::RfidPresent
                                                         : test.status & ~data::RfidPresent);
    record.PumpRfid = QString::fromUtf8(test.rfid);
    record.ManagementNo = QString::fromUtf8(test.number);
    record.MeasureDate = QString::fromUtf8(test.date);
    record.MeasureTime = QString::fromUtf8(test.time);
    record.FlowSetting = QString::fromUtf8(test.setting);
    record.FlowResult = QString::fromUtf8(test.flow).rightJustified(6);
    record.OcclusionSetting = QString::fromUtf8(test.level);
    record.OcclusionResult = QString::fromUtf8(test.occlusion);
    return record;
}

std::vector<data::MeasurementRecord> throughDataFile(
    std::span<const data::MeasurementRecord> records) {
    return data::parseCsv(*data::csvBytes(records)).value();
}

void writeDataFile(const QString& path, std::span<const data::MeasurementRecord> records) {
    ASSERT_TRUE(data::writeFileAtomically(path, *data::csvBytes(records)));
}

}  // namespace torbex::testing
