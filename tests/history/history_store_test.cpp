// The store on both back-ends: what counts as one test, what comes back, the registry, the schema.
#include <QDateTime>

#include "data/csv_format.h"
#include "support/scratch_database.h"

namespace torbex::history {
namespace {

using namespace Qt::Literals::StringLiterals;
using testing::make;
using Records = std::vector<data::MeasurementRecord>;
const char *const b = "00000000000000B0", *const c = "00000000000000C0",
                  *const d = "00000000000000D0";
const QString kA = u"0807060504030201"_s, kB = QLatin1String(b), kD = QLatin1String(d);

class Store : public ::testing::TestWithParam<testing::Backend> {
protected:
    void SetUp() override {
        ASSERT_TRUE(db.problem.isEmpty()) << db.problem.toStdString();
        ASSERT_TRUE(store = db.open());
    }
    int added(const char* serial, const Records& records) {
        const Result<int> result = store->recordTests(QString::fromLatin1(serial), records);
        return result.ok() ? result.value() : (ADD_FAILURE() << result.error().toStdString(), -1);
    }
    void set(const QString& rfid, const QString& number, ChangeSource source = ChangeSource::Tool) {
        ASSERT_TRUE(store->setManagementNumber(rfid, number, source).ok());
    }
    testing::ScratchDatabase db{GetParam()};
    std::unique_ptr<HistoryStore> store;
};

// Status 0x9F: a flow error; 0x8E: a pass flag without its flow measured; 0x8B: flow failed;
// 0x8D: occlusion not measured. A data file keeps neither error flags nor unmeasured results.
TEST_P(Store, SameTestKeptTwiceOrDifferentTestsMerged) {
    const Records download{make({}), make({.time = "11:21", .status = 0x9F}), make({.rfid = ""}),
                           make({.time = "11:22", .status = 0x8E, .flow = "xx"})};
    const std::tuple<const char*, Records, int> steps[] = {
        {"TB1", download, 4},
        {"TB1", download, 0},
        {"TB2", download, 0},
        {"", data::parseCsv(*data::csvBytes(download)).value(), 0},
        {"", {make({.time = "12:00"})}, 1},
        {"TB3", {make({.time = "12:00", .status = 0x9F})}, 0},
        {"TB1", {make({.time = "11:22", .status = 0x8A, .flow = "99.9"})}, 0},
        {"TB1",
         {make({.flow = "99.6"}), make({.occlusion = "53.3"}), make({.level = "H"}),
          make({.setting = "149"}), make({.status = 0x8B}), make({.date = "2013/02/27"}),
          make({.rfid = "0807060504030202"}), make({.status = 0x8D})},
         7}};  // a pass flag alone does not make another test: 0x8B is the first one's
    for (const auto& [serial, records, expected] : steps)
        EXPECT_EQ(added(serial, records), expected) << serial;
    EXPECT_EQ(store->testCount().value(), 12);
    QStringList kept;  // serial and status of the first tests at 11:21, 11:22 and 12:00
    for (const KeptTest& t : store->tests({kA, {}}).value()) {
        const data::MeasurementRecord& r = t.record;
        if (r.MeasureTime.text() >= u"11:21"_s && r.values.flowSetting == 150 && r.values.occlusionLevel == data::OcclusionLevel::M)
            kept << r.MeasureTime.text().trimmed() + t.testerSerial + QString::number(r.status, 16);
    }
    EXPECT_EQ(kept, QStringList({u"11:21TB19f"_s, u"11:22TB18a"_s, u"12:00TB39f"_s}));
}

TEST_P(Store, KeptTestReadBackWrongOrOutOfOrder) {
    set(kA, u"P-1"_s);
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
    // The texts as a download gives them, from the values kept.
    const auto shown = [](const std::vector<KeptTest>& tests) {
        QStringList lines;
        for (const KeptTest& t : tests) {
            const data::MeasurementRecord& r = t.record;
            lines << QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9|%10")
                         .arg(t.testerSerial, r.rfid(), r.ManagementNo.text(), r.MeasureDate.text(), r.MeasureTime.text())
                         .arg(r.status)
                         .arg(r.FlowSetting.text(), r.flowResult() ? r.FlowResult.text() : u"-"_s, r.OcclusionSetting.text(),
                              r.occlusionResult() ? r.OcclusionResult.text() : u"-"_s);
        }
        return lines;
    };
    EXPECT_EQ(shown(store->tests({}).value()),
              QStringList({u"TB1|0807060504030201|P-1       |2000/00/00|00:00   |129|150|  99.5|L|-"_s,
                           u"TB1|0807060504030202|          |2013/03/01|08:59   |143|150|  99.5|M|    53.2"_s,
                           u"TB1||          |2013/03/01|09:00   |0|  5|-|M|-"_s,
                           u"TB1|0807060504030201|P-1       |2014/01/02|08:00   |143|150| 100.0|M|   999.9"_s}));
    EXPECT_EQ(shown(store->tests({kA, QDate(2013, 3, 1)}).value()).size(), 1);
}

TEST_P(Store, RegistryOrItsAuditWrong) {
    const QString hostile = u"x'); DROP TABLE pumps; --"_s;
    set(kA, u"A-1"_s, ChangeSource::Editor);
    set(kA, hostile);
    set(kA, hostile);  // no change, no entry
    EXPECT_EQ(store->managementNumbers().value(), (std::map<QString, QString>{{kA, hostile}}));
    set(kA, u"  "_s);
    EXPECT_FALSE(store->setManagementNumber(QString(), u"A-1"_s, ChangeSource::Tool).ok());
    set(kD, u"D-0"_s);
    const auto conflicts = store->learnNumbers(
        Records{make({.rfid = b, .number = "B-1"}), make({.rfid = b, .number = "B-1"}),
                make({.rfid = b, .number = "B-2"}), make({.rfid = b, .number = "B-2"}),
                make({.rfid = c}), make({.rfid = "", .number = "X"}),
                make({.rfid = d, .number = "D-1 "})},
        ChangeSource::File);
    QStringList seen;
    for (const NumberConflict& c : conflicts.value())
        seen << c.rfid + u':' + c.registered + u'>' + c.inFile;
    EXPECT_EQ(seen, QStringList({kB + u":B-1>B-2"_s, kD + u":D-0>D-1"_s}));
    EXPECT_EQ(store->managementNumbers().value(),
              (std::map<QString, QString>{{kB, u"B-1"_s}, {kD, u"D-0"_s}}));

    QStringList trail;  // old>new>source, and whether who and when (UTC, just now) are kept
    for (const QString& rfid : {kA, kB}) {
        for (const AuditEntry& e : store->audit(rfid).value()) {
            const QDateTime at = QDateTime::fromString(e.changedAt, Qt::ISODate);
            const bool kept = !e.changedBy.isEmpty() && e.changedAt.endsWith(u'Z') &&
                              at.isValid() && at.secsTo(QDateTime::currentDateTimeUtc()) < 60;
            trail << e.field + u':' + e.oldValue + u'>' + e.newValue + u'>' + QString::number(int(e.source)) +
                         (kept ? u""_s : u"?"_s);
        }
    }
    EXPECT_EQ(trail, QStringList({u"number:>A-1>0"_s, u"number:A-1>"_s + hostile + u">2"_s,
                                  u"number:"_s + hostile + u">>2"_s, u"number:>B-1>1"_s}));
}

// A: three tests, the newest passed; B: one with a flow error; C: in the registry only. Reopened,
// the store keeps them; a newer program's schema is refused, not altered.
TEST_P(Store, PumpListWrongOrDataLostOnReopenOrNewerSchemaAltered) {
    set(QLatin1String(c), u"C-1"_s);
    set(kA, u"A-1"_s);
    ASSERT_EQ(added("TB1", {make({.date = "2023/01/31"}),
                            make({.date = "2023/01/31", .time = "09:00", .status = 0x8B}),
                            make({.date = "2022/05/01", .status = 0x8B}),
                            make({.rfid = "", .date = "2024/01/01"}),
                            make({.rfid = b, .date = "2023/06/15", .status = 0x9F})}),
              5);
    QStringList pumps;
    for (const PumpSummary& p : store->pumps(1).value())
        pumps << QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
                     .arg(p.rfid, p.managementNo, QString::number(p.tests), p.lastDate)
                     .arg(int(p.lastFlow))
                     .arg(int(p.lastOcclusion))
                     .arg(p.due.toString(Qt::ISODate));
    EXPECT_EQ(pumps, QStringList({u"00000000000000B0||1|2023-06-15|1|3|2023-07-15"_s,
                                  u"00000000000000C0|C-1|0||0|0|"_s,
                                  u"0807060504030201|A-1|3|2023-01-31|3|3|2023-02-28"_s}));
    store.reset();
    ASSERT_TRUE(store = db.open());
    EXPECT_EQ(std::tuple(store->testCount().value(), store->integrityOk().value()), std::tuple(5, true));
    store.reset();
    db.scalar(u"UPDATE schema_version SET version = 99"_s);
    const QString refused = testing::refusal(db.target);
    EXPECT_TRUE(refused.contains(u"version 99")) << refused.toStdString();
    EXPECT_EQ(db.scalar(u"SELECT MAX(version) * 10 + COUNT(*) FROM schema_version"_s).toInt(), 991);
}

// Details change field by field, each change audited once; a pump is found by its number, two
// sharing one are named; a model's interval sets its pumps' due dates; a pump registered without
// a number learns a file's, and keeps its details when its number goes.
TEST_P(Store, RegisterDetailsAuditLookupOrModelIntervalWrong) {
    const std::map<QString, QString> details{{u"number"_s, u"A-1"_s}, {u"maker"_s, u" M1 "_s}, {u"model"_s, u"X"_s},
                                             {u"status"_s, u"retired"_s}};
    for (int twice = 0; twice < 2; ++twice) ASSERT_TRUE(store->changePump(kA, details, ChangeSource::Tool).ok());
    ASSERT_TRUE(store->changePump(kB, {{u"department"_s, u"ICU"_s}, {u"model"_s, u"X"_s}, {u"maker"_s, u"M1"_s}},
                                  ChangeSource::Editor).ok());
    QStringList fields;
    for (const AuditEntry& e : store->audit({}).value()) fields << e.rfid.right(2) + u':' + e.field + u'=' + e.newValue;
    EXPECT_EQ(fields, QStringList({u"01:number=A-1"_s, u"01:maker=M1"_s, u"01:model=X"_s, u"01:status=retired"_s,
                                   u"B0:maker=M1"_s, u"B0:model=X"_s, u"B0:department=ICU"_s}));
    const auto found = store->findPump(u" A-1 "_s);
    ASSERT_TRUE(found.ok() && found.value().has_value());
    EXPECT_EQ(std::tuple(found.value()->rfid, found.value()->details.maker, found.value()->details.retired),
              std::tuple(kA, u"M1"_s, true));
    EXPECT_EQ(store->findPump(kB.toLower()).value()->details.department, u"ICU"_s);
    EXPECT_FALSE(store->findPump(u"A-2"_s).value().has_value());
    set(kD, u"A-1"_s);
    EXPECT_TRUE(store->findPump(u"A-1"_s).error().contains(kD + u", "_s + kA)) << store->findPump(u"A-1"_s).error().toStdString();

    ASSERT_TRUE(store->setModelInterval({u"M1"_s, u"X"_s, 6}).ok());
    ASSERT_EQ(added("TB1", {make({.date = "2023/01/31"}), make({.rfid = d, .date = "2023/01/31"})}), 2);
    QStringList due;
    for (const PumpSummary& p : store->pumps(12).value()) due << p.rfid.right(2) + u'@' + p.due.toString(Qt::ISODate);
    EXPECT_EQ(due, QStringList({u"B0@"_s, u"D0@2024-01-31"_s, u"01@2023-07-31"_s}));

    const auto conflicts = store->learnNumbers(Records{make({.rfid = b, .number = "B-1"})}, ChangeSource::File);
    EXPECT_TRUE(conflicts.ok() && conflicts.value().empty());
    set(kB, QString());
    EXPECT_EQ(store->managementNumbers().value(), (std::map<QString, QString>{{kA, u"A-1"_s}, {kD, u"A-1"_s}}));
    EXPECT_EQ(store->findPump(kB).value()->details.department, u"ICU"_s);
}

INSTANTIATE_TEST_SUITE_P(Backends, Store,
                         ::testing::Values(testing::Backend::Sqlite, testing::Backend::Postgres),
                         testing::backendName);

}  // namespace
}  // namespace torbex::history
