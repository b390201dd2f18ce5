// The worklist, and backups and restores of a real SQLite history.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "data/file_io.h"
#include "support/file_size_limit.h"
#include "support/scratch_database.h"
#include "workflow/register.h"
#include "workflow/reports.h"

namespace torbex::workflow {
namespace {

using namespace Qt::Literals::StringLiterals;
using history::PumpSummary;

PumpSummary pump(const char* rfid, QDate due, const char* department = "ICU", bool retired = false) {
    PumpSummary p;
    p.rfid = QString::fromLatin1(rfid);
    p.due = due;
    p.details.department = QString::fromLatin1(department);
    p.details.retired = retired;
    return p;
}

TEST(Worklist, RetiredLaterOrOtherDepartmentsPumpsListedOrOrderWrong) {
    const QDate today(2026, 12, 7);
    const std::vector<PumpSummary> pumps{pump("late", today.addDays(-40)), pump("soon", today.addDays(30)),
                                         pump("later", today.addDays(31)), pump("never", {}),
                                         pump("retired", today.addDays(-1), "ICU", true), pump("ward", today, "Ward 3")};
    const auto rfids = [](const std::vector<PumpSummary>& list) {
        QStringList names;
        for (const PumpSummary& p : list) names << p.rfid;
        return names.join(u' ');
    };
    EXPECT_EQ(rfids(worklist(pumps, {today, 30, {}})), u"never late ward soon"_s);
    EXPECT_EQ(rfids(worklist(pumps, {today, 0, u"icu"_s})), u"never late"_s);
}

// Reports and exports are signed by the configured inspector, else by the account: never blank.
TEST(Inspector, ConfiguredNameIgnoredOrNoNameGiven) {
    QTemporaryDir folder;
    ASSERT_TRUE(data::writeFileAtomically(folder.filePath(u"torbex.conf"_s), "[report]\ninspector=Sato Hanako\n"));
    EXPECT_EQ(inspectorName({QString(), folder.path()}), u"Sato Hanako"_s);
    EXPECT_FALSE(inspectorName({}).isEmpty());
}

class Backup : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(store = db.open());
        ASSERT_TRUE(store->recordTests(u"TB1"_s, std::vector{testing::make({})}).ok());
        ASSERT_TRUE(store->setManagementNumber(u"0807060504030201"_s, u"A-1"_s, history::ChangeSource::Tool).ok());
    }
    QString path(const char* name) const { return db.folder.filePath(QString::fromLatin1(name)); }
    QString number() { return store->managementNumbers().value()[u"0807060504030201"_s]; }

    testing::ScratchDatabase db{testing::Backend::Sqlite};
    std::unique_ptr<history::HistoryStore> store;
};

// A pump's report carries what the register knows of it, its next due date from its model's interval.
TEST_F(Backup, PumpReportMissesTheRegistersDetailsOrDueDate) {
    ASSERT_TRUE(store->changePump(u"0807060504030201"_s, {{u"maker"_s, u"M1"_s}, {u"model"_s, u"X"_s}}, history::ChangeSource::Tool).ok());
    ASSERT_TRUE(store->setModelInterval({u"M1"_s, u"X"_s, 6}).ok());
    const PumpRead read = pumpTests(*store, u"0807060504030201"_s, 12);
    ASSERT_EQ(read.error, QString());
    EXPECT_EQ(std::tuple(read.pump.managementNo, read.pump.details.model, read.pump.nextDue, read.pump.tests.size()),
              std::tuple(u"A-1"_s, u"X"_s, QDate(2013, 8, 28), 1U));
}

// A full disk leaves the old backup whole and no part of a new one; a backup restores the
// history as it was, the history before it kept beside it; a damaged backup or another
// program's database changes nothing.
TEST_F(Backup, BackupOrRestoreLosesTheHistoryOrTakesADamagedFile) {
    ASSERT_TRUE(data::writeFileAtomically(path("b.sqlite"), "old"));
    EXPECT_TRUE(testing::underFileSizeLimit(8192, [&] { return !backupHistory(*store, path("b.sqlite")).isEmpty(); }));
    EXPECT_EQ(data::readRegularFile(path("b.sqlite"), 16).bytes, "old");
    EXPECT_EQ(QDir(db.folder.path()).entryList(QDir::Files | QDir::Hidden).filter(u"partial"_s), QStringList());
    ASSERT_EQ(backupHistory(*store, path("b.sqlite")), QString());

    ASSERT_TRUE(store->setManagementNumber(u"0807060504030201"_s, u"A-2"_s, history::ChangeSource::Tool).ok());
    QFile::copy(path("b.sqlite"), path("cut.sqlite"));
    QFile(path("cut.sqlite")).resize(QFileInfo(path("b.sqlite")).size() / 2);
    testing::ScratchDatabase other(testing::Backend::Sqlite);
    other.scalar(u"CREATE TABLE notes (x TEXT)"_s);
    for (const QString& bad : {path("cut.sqlite"), other.target.location, path("absent")}) {
        const Restore refused = restoreHistory(*store, db.target, bad);
        EXPECT_FALSE(refused.error.isEmpty()) << bad.toStdString();
        EXPECT_EQ(number(), u"A-2"_s);
    }
    const Restore restored = restoreHistory(*store, db.target, path("b.sqlite"));
    ASSERT_EQ(restored.error, QString());
    EXPECT_EQ(std::tuple(number(), store->testCount().value(), store->audit({}).value().size()), std::tuple(u"A-1"_s, 1, 1U));
    EXPECT_EQ(history::checkHistoryCopy(restored.keptAt).ok(), true);
    EXPECT_EQ(history::HistoryStore::open({history::DatabaseTarget::Kind::Sqlite, restored.keptAt}).value()->managementNumbers().value().begin()->second,
              u"A-2"_s);
}

// A backup an older program made comes back in today's form: its audit entries were all of numbers.
TEST_F(Backup, OlderBackupNotBroughtUpToDate) {
    testing::ScratchDatabase old(testing::Backend::Sqlite);
    for (const char* statement :
         {"CREATE TABLE schema_version (version INTEGER NOT NULL)", "INSERT INTO schema_version VALUES (2)",
          "CREATE TABLE tests (id INTEGER PRIMARY KEY, tester_serial TEXT NOT NULL, rfid TEXT NOT NULL, measure_date TEXT "
          "NOT NULL, measure_time TEXT NOT NULL, status INTEGER NOT NULL, flow_setting INTEGER NOT NULL, flow_result "
          "INTEGER, occlusion_level TEXT NOT NULL, occlusion_result INTEGER)",
          "CREATE TABLE pumps (rfid TEXT PRIMARY KEY, management_no TEXT NOT NULL)",
          "CREATE TABLE audit (id INTEGER PRIMARY KEY, rfid TEXT NOT NULL, old_number TEXT NOT NULL, new_number TEXT "
          "NOT NULL, changed_by TEXT NOT NULL, changed_at TEXT NOT NULL, source TEXT NOT NULL)",
          "INSERT INTO pumps VALUES ('00000000000000C1', 'C-1')",
          "INSERT INTO audit VALUES (1, '00000000000000C1', '', 'C-1', 'someone', '2020-01-01T00:00:00Z', 'editor')"})
        old.scalar(QString::fromLatin1(statement));
    ASSERT_EQ(restoreHistory(*store, db.target, old.target.location).error, QString());
    const auto pump = store->findPump(u"C-1"_s);
    ASSERT_TRUE(pump.ok() && pump.value());
    EXPECT_EQ(std::tuple(pump.value()->rfid, pump.value()->details.retired, store->audit({}).value().at(0).field),
              std::tuple(u"00000000000000C1"_s, false, u"number"_s));
    EXPECT_EQ(old.scalar(u"SELECT MAX(version) FROM schema_version"_s).toInt(), 2);  // the backup itself unchanged
}

}  // namespace
}  // namespace torbex::workflow
