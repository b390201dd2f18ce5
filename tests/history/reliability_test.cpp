// The tool as several operators run it at once or killed midway, and a server that goes away.

#include <QElapsedTimer>
#include <QProcess>

#include "data/csv_format.h"
#include "data/file_io.h"
#include "support/scratch_database.h"

namespace torbex::history {
namespace {

using namespace Qt::Literals::StringLiterals;
using testing::Backend;

// File f holds tests f * step to f * step + perFile - 1 (neighbours share some when step <
// perFile); test t is pump t % 7's, numbered "N-" and the pump, a minute after test t - 1.
QStringList writeFiles(const QTemporaryDir& folder, int files, int perFile, int step) {
    QStringList paths;
    for (int f = 0; f < files; ++f) {
        std::vector<data::MeasurementRecord> records;
        for (int t = f * step; t < f * step + perFile; ++t) {
            const QByteArray rfid = QByteArray::number(t % 7).rightJustified(16, '0'),
                             number = "N-" + rfid.right(1);
            const QDateTime at = QDateTime(QDate(2013, 1, 1), QTime(8, 0)).addSecs(60 * t);
            const QByteArray date = at.toString(u"yyyy/MM/dd").toLatin1(),
                             time = at.toString(u"HH:mm").toLatin1();
            records.push_back(testing::make({.rfid = rfid.data(),
                                             .date = date.data(),
                                             .time = time.data(),
                                             .number = number.data()}));
        }
        if (f % 2) std::reverse(records.begin(), records.end());  // the same tests in another order
        paths << folder.filePath(QStringLiteral("%1.csv").arg(f));
        EXPECT_TRUE(data::writeFileAtomically(paths.back(), *data::csvBytes(records)));
    }
    return paths;
}

void startImport(QProcess& tool, const testing::ScratchDatabase& db, const QStringList& files) {
    tool.start(QStringLiteral(TORBEX_CLI_PATH),
               QStringList{u"--database"_s, db.target.location, u"import"_s} + files);
    ASSERT_TRUE(tool.waitForStarted());
}

class ToolProcesses : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override { ASSERT_TRUE(db.problem.isEmpty()) << db.problem.toStdString(); }
    testing::ScratchDatabase db{GetParam()};
};

// The tool reports each file as it goes in; the kill follows the report of file n, while later
// files are on their way, so it lands at some point of a write rather than at a guessed time.
TEST_P(ToolProcesses, KilledImportDamagesTheDatabaseOrLeavesItIncomplete) {
    const QStringList files = writeFiles(db.folder, 100, 20, 20);  // 2000 tests
    int partial = 0;  // kills that came during the import
    for (const int reported : {1, 7, 20, 45, 70}) {
        QProcess tool;
        startImport(tool, db, files);
        int lines = 0;
        while (lines < reported && tool.waitForReadyRead(60000))
            while (tool.canReadLine() && lines < reported) lines += tool.readLine().endsWith(" tests added\n");
        tool.kill();
        ASSERT_TRUE(tool.waitForFinished(60000));
        const auto store = db.open();
        const int kept = store->testCount().value();
        EXPECT_EQ(std::tuple(store->integrityOk().value(), kept % 20), std::tuple(true, 0)) << kept;  // whole files only
        EXPECT_GE(kept, reported * 20);
        partial += kept < 2000;
    }
    EXPECT_GT(partial, 0) << "every kill came after the import had finished";
    QProcess tool;
    startImport(tool, db, files);
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    EXPECT_EQ(db.open()->testCount().value(), 2000);
}

// Process p takes files p, p + n and p + 2n: files imported at the same time share tests and
// pumps, and the database is new, so the processes also race to create it.
TEST_P(ToolProcesses, ConcurrentImportsLoseOrRepeatTestsOrNumbers) {
    const int processes = GetParam() == Backend::Postgres ? 10 : 2;
    const QStringList files = writeFiles(db.folder, 3 * processes, 40, 20);
    std::vector<std::unique_ptr<QProcess>> tools;
    for (int p = 0; p < processes; ++p)
        startImport(*tools.emplace_back(std::make_unique<QProcess>()), db,
                    {files[p], files[p + processes], files[p + 2 * processes]});
    for (const auto& tool : tools)
        EXPECT_EQ((std::tuple{tool->waitForFinished(60000), tool->exitCode()}), std::tuple(true, 0))
            << tool->readAllStandardError().toStdString();
    const auto store = db.open();
    EXPECT_EQ(store->testCount().value(), (3 * processes - 1) * 20 + 40);
    EXPECT_EQ(store->managementNumbers().value().size(), 7u);
    for (const auto& [rfid, number] : store->managementNumbers().value())
        EXPECT_EQ(store->audit(rfid).value().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Backends, ToolProcesses,
                         ::testing::Values(Backend::Sqlite, Backend::Postgres),
                         testing::backendName);

bool cluster(const char* action, const QString& folder) {
    return QProcess::execute(QStringLiteral(TORBEX_PG_CLUSTER_SCRIPT),
                             {QLatin1String(action), folder}) == 0;
}

TEST(PostgresServer, StoppedServerHoldsTheStoreOrItsReturnGoesUnnoticed) {
    const QString folder = QStringLiteral(TORBEX_PG_RESTART_FOLDER);  // one a killed run left goes
    ASSERT_TRUE(cluster("start", folder));
    const std::shared_ptr<void> stopAtEnd(nullptr, [&folder](void*) { cluster("stop", folder); });
    testing::ScratchDatabase db(
        Backend::Postgres,
        QStringLiteral("host=%1 port=5432 user=postgres dbname=postgres").arg(folder));
    ASSERT_TRUE(db.problem.isEmpty()) << db.problem.toStdString();
    const auto store = db.open();
    ASSERT_EQ(store->recordTests(u"TB1"_s, std::vector{testing::make({})}).value(), 1);
    ASSERT_TRUE(cluster("halt", folder));
    for (int attempt = 0; attempt < 2; ++attempt) {
        QElapsedTimer timer;
        timer.start();
        const auto count = store->testCount();
        EXPECT_LT(timer.elapsed(), 3000);
        ASSERT_FALSE(count.ok());
        EXPECT_NE(count.error(), QString());
    }
    ASSERT_TRUE(cluster("resume", folder));
    EXPECT_EQ(store->testCount().value(), 1);
    EXPECT_EQ(store->recordTests(u"TB1"_s, std::vector{testing::make({.time = "12:00"})}).value(),
              1);
}

}  // namespace
}  // namespace torbex::history
