#include "support/scratch_database.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include "data/record_texts.h"

namespace torbex::testing {

using Kind = history::DatabaseTarget::Kind;

ScratchDatabase::ScratchDatabase(Backend backend, const QString& postgres) {
    target = {Kind::Sqlite, folder.filePath(QStringLiteral("history.sqlite"))};
    if (backend == Backend::Sqlite) return;
    server = postgres;
    schema = QStringLiteral("t") + QUuid::createUuid().toString(QUuid::Id128);
    target = {Kind::Postgres, server + QStringLiteral(" options=-csearch_path=") + schema};
    problem = scalar(QStringLiteral("CREATE SCHEMA ") + schema, server).toString();
    if (!problem.isEmpty())
        problem = QStringLiteral("no test cluster (CTest starts it): ") + problem;
}

ScratchDatabase::~ScratchDatabase() {
    if (!schema.isEmpty() && problem.isEmpty())
        scalar(
            QStringLiteral("SET client_min_messages = warning; DROP SCHEMA %1 CASCADE").arg(schema),
            server);
}

std::unique_ptr<history::HistoryStore> ScratchDatabase::open() const {
    auto store = history::HistoryStore::open(target);
    EXPECT_TRUE(store.ok()) << (store.ok() ? "" : store.error().toStdString());
    return store.ok() ? std::move(store.value()) : nullptr;
}

QVariant ScratchDatabase::scalar(const QString& sql, const QString& on) const {
    const QString name = QUuid::createUuid().toString();
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(
            target.kind == Kind::Sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"),
            name);
        db.setDatabaseName(target.kind == Kind::Sqlite ? target.location : QString());
        db.setConnectOptions(target.kind == Kind::Sqlite ? QString()
                             : on.isEmpty()              ? target.location
                                                         : on);
        QSqlQuery query(db);
        const bool ran = db.open() && query.exec(sql);
        const QString error = db.isOpenError() ? db.lastError().text() : query.lastError().text();
        if (on.isEmpty()) {
            EXPECT_TRUE(ran) << sql.toStdString() << ": " << error.toStdString();
        }
        value = on.isEmpty() ? (query.next() ? query.value(0) : QVariant())
                             : QVariant(ran ? QString() : error);
    }
    QSqlDatabase::removeDatabase(name);
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
    record.values = data::valuesOfTexts(record);
    return record;
}

}  // namespace torbex::testing
