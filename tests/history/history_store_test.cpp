// The store on both back-ends: what counts as one test, what comes back, the registry, the schema.
#include <QDateTime>

#include "history/scratch_database.h"

namespace torbex::history {
namespace {

using namespace Qt::Literals::StringLiterals;
using testing::make;
const QString kPump = QStringLiteral("0807060504030201");

class Store : public ::testing::TestWithParam<testing::Backend> {
protected:
    void SetUp() override {
        ASSERT_TRUE(db.problem.isEmpty()) << db.problem.toStdString();
        ASSERT_TRUE(store = db.open());
    }
    int added(const char* serial, const std::vector<data::MeasurementRecord>& records) {
        const Result<int> result = store->recordTests(QString::fromLatin1(serial), records);
        EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.error().toStdString());
        return result.ok() ? result.value() : -1;
    }
    void setNumber(const QString& rfid, const QString& number,
                   ChangeSource source = ChangeSource::Tool) {
        const auto set = store->setManagementNumber(rfid, number, source);
        ASSERT_TRUE(set.ok()) << set.error().toStdString();
    }
    testing::ScratchDatabase db{GetParam()};
    std::unique_ptr<HistoryStore> store;
};

// 0x9F: flow error; 0x8E: a pass flag without its flow measured; 0x8B: flow failed; 0x8D: occlusion
// not measured.
TEST_P(Store, SameTestKeptTwiceOrDifferentTestsMerged) {
    const std::vector<data::MeasurementRecord> download{
        make({}), make({.time = "11:21", .status = 0x9F}), make({.rfid = ""}),
        make({.time = "11:22", .status = 0x8E, .flow = "xx"})};
    const std::tuple<const char*, std::vector<data::MeasurementRecord>, int> steps[] = {
        {"TB1", download, 4},
        {"TB1", download, 0},
        {"TB2", download, 0},
        {"", testing::throughDataFile(download),
         0},  // a data file keeps neither error flags nor unmeasured results
        {"", {make({.time = "12:00"})}, 1},
        {"TB3", {make({.time = "12:00", .status = 0x9F})}, 0},
        {"TB1", {make({.time = "11:22", .status = 0x8A, .flow = "99.9"})}, 0},
        {"TB1",
         {make({.flow = "99.6"}), make({.occlusion = "53.3"}), make({.level = "H"}),
          make({.setting = "149"}), make({.status = 0x8B}), make({.date = "2013/02/27"}),
          make({.rfid = "0807060504030202"}), make({.status = 0x8D})},
         8},
    };
    for (const auto& [serial, records, expected] : steps)
        EXPECT_EQ(added(serial, records), expected) << serial;
    EXPECT_EQ(store->testCount().value(), 13);
    std::map<QString, std::pair<QString, int>> byTime;  // the first test of each time
    for (const StoredTest& test : store->tests(kPump).value())
        byTime.try_emplace(test.measureTime, test.testerSerial, test.status);
    EXPECT_EQ(byTime[QStringLiteral("11:21")], std::pair(QStringLiteral("TB1"), 0x9F));
    EXPECT_EQ(byTime[QStringLiteral("11:22")], std::pair(QStringLiteral("TB1"), 0x8A));
    EXPECT_EQ(byTime[QStringLiteral("12:00")],
              std::pair(QStringLiteral("TB3"), 0x9F));  // the file's copy learnt its tester
}

QString shown(const StoredTest& t) {
    const auto tenths = [](const std::optional<int>& v) {
        return v ? QString::number(*v) : QStringLiteral("-");
    };
    return QStringList{t.testerSerial,
                       t.rfid,
                       t.managementNo,
                       t.measureDate,
                       t.measureTime,
                       QString::number(t.status),
                       QString::number(t.flowSetting),
                       tenths(t.flowResultTenths),
                       t.occlusionLevel,
                       tenths(t.occlusionResultTenths)}
        .join(u'|');
}

TEST_P(Store, KeptTestReadBackWrongOrOutOfOrder) {
    setNumber(kPump, QStringLiteral("P-1"));
    ASSERT_EQ(
        added("TB1", {make({.date = "2014/01/02",
                            .time = "08:00   ",
                            .flow = "100.0",
                            .occlusion = "999.9  "}),
                      make({.rfid = "",
                            .date = "2013/03/01",
                            .time = "09:00",
                            .status = 0x8C,
                            .setting = "5  "}),
                      make({.date = "2000/00/00", .time = "00:00", .status = 0x81, .level = "L"}),
                      make({.rfid = "0807060504030202", .date = "2013/03/01", .time = "08:59"})}),
        4);
    QStringList all;
    for (const StoredTest& test : store->tests(QString()).value()) all << shown(test);
    EXPECT_EQ(all,
              QStringList({u"TB1|0807060504030201|P-1|2000/00/00|00:00|129|150|995|L|-"_s,
                           u"TB1|0807060504030202||2013-03-01|08:59|143|150|995|M|532"_s,
                           u"TB1|||2013-03-01|09:00|0|5|-|M|-"_s,
                           u"TB1|0807060504030201|P-1|2014-01-02|08:00|143|150|1000|M|9999"_s}));
    const auto since = store->tests(kPump, QDate(2013, 3, 1)).value();
    ASSERT_EQ(since.size(), 1u);
    EXPECT_EQ(since[0].measureDate, QStringLiteral("2014-01-02"));
}

TEST_P(Store, RegistryOrItsAuditWrong) {
    const QString hostile = QStringLiteral("x'); DROP TABLE pumps; --");
    setNumber(kPump, QStringLiteral("A-1"), ChangeSource::Editor);
    setNumber(kPump, hostile);
    setNumber(kPump, hostile);  // no change, no entry
    EXPECT_EQ(store->managementNumbers().value(), (std::map<QString, QString>{{kPump, hostile}}));
    setNumber(kPump, QStringLiteral("  "));
    EXPECT_TRUE(store->managementNumbers().value().empty());
    EXPECT_FALSE(
        store->setManagementNumber(QString(), QStringLiteral("A-1"), ChangeSource::Tool).ok());

    const QString b = QStringLiteral("00000000000000B0"), d = QStringLiteral("00000000000000D0");
    setNumber(d, QStringLiteral("D-0"));
    const auto conflicts = store->learnNumbers(
        std::vector{make({.rfid = "00000000000000B0", .number = "B-1"}),
                    make({.rfid = "00000000000000B0", .number = "B-1"}),
                    make({.rfid = "00000000000000B0", .number = "B-2"}),
                    make({.rfid = "00000000000000B0", .number = "B-2"}),
                    make({.rfid = "00000000000000C0"}), make({.rfid = "", .number = "X"}),
                    make({.rfid = "00000000000000D0", .number = "D-1 "})},
        ChangeSource::File);
    ASSERT_TRUE(conflicts.ok());
    ASSERT_EQ(conflicts.value().size(), 2u);
    EXPECT_EQ(QStringList({conflicts.value()[0].rfid, conflicts.value()[0].registered,
                           conflicts.value()[0].inFile, conflicts.value()[1].rfid,
                           conflicts.value()[1].registered, conflicts.value()[1].inFile}),
              QStringList({b, u"B-1"_s, u"B-2"_s, d, u"D-0"_s, u"D-1"_s}));
    EXPECT_EQ(store->managementNumbers().value(),
              (std::map<QString, QString>{{b, u"B-1"_s}, {d, u"D-0"_s}}));

    QStringList trail;
    for (const QString& rfid : {kPump, b}) {
        for (const AuditEntry& entry : store->audit(rfid).value()) {
            trail << QStringList{entry.oldNumber, entry.newNumber,
                                 QString::number(int(entry.source))}
                         .join(u'>');
            const QDateTime at = QDateTime::fromString(entry.changedAt, Qt::ISODate);
            EXPECT_TRUE(at.isValid() && entry.changedAt.endsWith(u'Z') &&
                        at.secsTo(QDateTime::currentDateTimeUtc()) < 60)
                << entry.changedAt.toStdString();
            EXPECT_FALSE(entry.changedBy.isEmpty());
        }
    }
    EXPECT_EQ(trail, QStringList({u">A-1>0"_s, u"A-1>"_s + hostile + u">2"_s, hostile + u">>2"_s,
                                  u">B-1>1"_s}));
}

// Pump A: three tests, the newest passed; B: one with a flow error; C: in the registry only.
TEST_P(Store, PumpListWrong) {
    setNumber(QStringLiteral("00000000000000C0"), QStringLiteral("C-1"));
    setNumber(kPump, QStringLiteral("A-1"));
    ASSERT_EQ(
        added("TB1", {make({.date = "2023/01/31"}),
                      make({.date = "2023/01/31", .time = "09:00", .status = 0x8B}),
                      make({.date = "2022/05/01", .status = 0x8B}),
                      make({.rfid = "", .date = "2024/01/01"}),
                      make({.rfid = "00000000000000B0", .date = "2023/06/15", .status = 0x9F})}),
        5);
    QStringList pumps;
    for (const PumpSummary& p : store->pumps(1).value()) {
        pumps << QStringList{p.rfid,
                             p.managementNo,
                             QString::number(p.tests),
                             p.lastDate,
                             QString::number(int(p.lastFlow)),
                             QString::number(int(p.lastOcclusion)),
                             p.due.toString(Qt::ISODate)}
                     .join(u'|');
    }
    EXPECT_EQ(pumps, QStringList({u"00000000000000B0||1|2023-06-15|1|3|2023-07-15"_s,
                                  u"00000000000000C0|C-1|0||0|0|"_s,
                                  u"0807060504030201|A-1|3|2023-01-31|3|3|2023-02-28"_s}));
}

TEST_P(Store, NewerSchemaAlteredOrDataLostOnReopen) {
    ASSERT_EQ(added("TB1", {make({})}), 1);
    store.reset();
    ASSERT_TRUE(store = db.open());
    EXPECT_EQ(store->testCount().value(), 1);
    EXPECT_TRUE(store->integrityOk().value());
    store.reset();
    db.scalar(QStringLiteral("UPDATE schema_version SET version = 99"));
    const auto refused = HistoryStore::open(db.target());
    ASSERT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error().contains(u"version 99")) << refused.error().toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT MAX(version) FROM schema_version")).toInt(), 99);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM tests")).toInt(), 1);
}

TEST_P(Store, ImportLosesFilesAddsTwiceOrTakesFileNumbers) {
    setNumber(kPump, QStringLiteral("A-1"));
    const QString f1 = db.folder.filePath(u"1.csv"_s), f2 = db.folder.filePath(u"2.csv"_s),
                  f3 = db.folder.filePath(u"3.csv"_s);
    testing::writeDataFile(f1, std::vector{make({.number = "A-1"}),
                                           make({.rfid = "00000000000000B0", .number = "B-1"})});
    testing::writeDataFile(f2, std::vector{make({.time = "12:00", .number = "A-9"}),
                                           make({.rfid = "00000000000000C0"})});
    testing::writeDataFile(f3, std::vector{make({.time = "13:00"})});
    for (int expectedAdded : {4, 0}) {
        const auto summary = importDataFiles(*store, {f1, f2});
        ASSERT_TRUE(summary.ok()) << summary.error().toStdString();
        EXPECT_EQ(summary.value().files, 2);
        EXPECT_EQ(summary.value().added, expectedAdded);
        ASSERT_EQ(summary.value().conflicts.size(), 1u);
        EXPECT_EQ(summary.value().conflicts[0].inFile, QStringLiteral("A-9"));
    }
    const auto cut = importDataFiles(*store, {f1, db.folder.filePath(u"absent.csv"_s), f3});
    ASSERT_FALSE(cut.ok());
    EXPECT_TRUE(cut.error().contains(u"absent.csv")) << cut.error().toStdString();
    EXPECT_EQ(store->testCount().value(), 4);  // the file after the unreadable one is not read
    EXPECT_EQ(store->managementNumbers().value().at(kPump), QStringLiteral("A-1"));

    std::vector records{make({}), make({.rfid = "00000000000000B0", .number = "own"}),
                        make({.rfid = "00000000000000C0"}), make({.rfid = ""})};
    EXPECT_EQ(fillManagementNumbers(records, store->managementNumbers().value()), 1);
    EXPECT_EQ(QStringList({records[0].ManagementNo.text(), records[1].ManagementNo.text(),
                           records[2].ManagementNo.text()}),
              QStringList({u"A-1       "_s, u"own       "_s, u"          "_s}));
}

INSTANTIATE_TEST_SUITE_P(Backends, Store,
                         ::testing::Values(testing::Backend::Sqlite, testing::Backend::Postgres),
                         testing::backendName);

}  // namespace
}  // namespace torbex::history
