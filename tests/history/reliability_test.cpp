// The tool as several operators run it at once or killed midway, and a server that goes away.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include "history/scratch_database.h"

namespace torbex::history {
namespace {

using testing::Backend;

// Test t of pump t % 7 ("N-0" to "N-6"), a minute after test t - 1.
data::MeasurementRecord numberedTest(int t) {
    const QByteArray rfid = QByteArray::number(t % 7).rightJustified(16, '0');
    const QByteArray number = "N-" + QByteArray::number(t % 7);
    const QDateTime at = QDateTime(QDate(2013, 1, 1), QTime(8, 0)).addSecs(60 * t);
    const QByteArray date = at.toString(u"yyyy/MM/dd").toLatin1(),
                     time = at.toString(u"HH:mm").toLatin1();
    return testing::make(
        {.rfid = rfid.data(), .date = date.data(), .time = time.data(), .number = number.data()});
}

// File f holds tests f * step to f * step + perFile - 1: neighbours share tests when step <
// perFile.
QStringList writeFiles(const QTemporaryDir& folder, int files, int perFile, int step) {
    QStringList paths;
    for (int f = 0; f < files; ++f) {
        std::vector<data::MeasurementRecord> records;
        for (int t = f * step; t < f * step + perFile; ++t) records.push_back(numberedTest(t));
        paths << folder.filePath(QStringLiteral("%1.csv").arg(f));
        testing::writeDataFile(paths.back(), records);
    }
    return paths;
}

void startImport(QProcess& tool, const testing::ScratchDatabase& db, const QStringList& files) {
    tool.start(
        QStringLiteral(TORBEX_CLI_PATH),
        QStringList{QStringLiteral("--database"), db.target().location, QStringLiteral("import")} +
            files);
    ASSERT_TRUE(tool.waitForStarted());
}

class ToolProcesses : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override { ASSERT_TRUE(db.problem.isEmpty()) << db.problem.toStdString(); }
    testing::ScratchDatabase db{GetParam()};
};

TEST_P(ToolProcesses, KilledImportDamagesTheDatabaseOrLeavesItIncomplete) {
    const QStringList files = writeFiles(db.folder, 100, 20, 20);  // 2000 tests
    testing::ScratchDatabase undisturbed(GetParam());
    QProcess tool;
    QElapsedTimer timer;
    timer.start();
    startImport(tool, undisturbed, files);
    ASSERT_TRUE(tool.waitForFinished(60000) && tool.exitCode() == 0)
        << tool.readAllStandardError().toStdString();
    const int runMs = static_cast<int>(timer.elapsed());

    QRandomGenerator random(20130228);
    int partial = 0;  // kills that found the import midway
    for (int kill = 0; kill < 6; ++kill) {
        startImport(tool, db, files);
        QThread::msleep(random.bounded(runMs / 10, runMs * 9 / 10 + 1));
        tool.kill();
        ASSERT_TRUE(tool.waitForFinished(60000));
        const auto store = db.open();
        EXPECT_TRUE(store->integrityOk().value());
        const int kept = store->testCount().value();
        EXPECT_EQ(kept % 20, 0) << "a file was cut";
        partial += kept > 0 && kept < 2000;
    }
    EXPECT_GT(partial, 0) << "no kill came during the import (" << runMs << " ms)";
    startImport(tool, db, files);
    ASSERT_TRUE(tool.waitForFinished(60000) && tool.exitCode() == 0)
        << tool.readAllStandardError().toStdString();
    EXPECT_EQ(db.open()->testCount().value(), 2000);
}

// Processes take files f, f + n, f + 2n: the files of processes started together share tests.
TEST_P(ToolProcesses, ConcurrentImportsLoseOrRepeatTestsOrNumbers) {
    const int processes = GetParam() == Backend::Postgres ? 10 : 2;
    const QStringList files = writeFiles(db.folder, 3 * processes, 40, 20);
    std::vector<std::unique_ptr<QProcess>> tools;
    for (int p = 0; p < processes; ++p) {
        tools.push_back(std::make_unique<QProcess>());
        startImport(*tools.back(), db, {files[p], files[p + processes], files[p + 2 * processes]});
    }
    for (const auto& tool : tools) {
        ASSERT_TRUE(tool->waitForFinished(60000));
        EXPECT_EQ(tool->exitCode(), 0) << tool->readAllStandardError().toStdString();
    }
    const auto store = db.open();
    EXPECT_EQ(store->testCount().value(), (3 * processes - 1) * 20 + 40);
    EXPECT_EQ(store->managementNumbers().value().size(), 7u);
    for (const auto& [rfid, number] : store->managementNumbers().value())
        EXPECT_EQ(store->audit(rfid).value().size(), 1u) << rfid.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Backends, ToolProcesses,
                         ::testing::Values(Backend::Sqlite, Backend::Postgres),
                         testing::backendName);

bool cluster(const char* action, const QString& folder) {
    return QProcess::execute(QStringLiteral(TORBEX_PG_CLUSTER_SCRIPT),
                             {QString::fromLatin1(action), folder}) == 0;
}

TEST(PostgresServer, StoppedServerHoldsTheStoreOrItsReturnGoesUnnoticed) {
    const QString folder = QStringLiteral("/tmp/torbex-pg-stop-%1").arg(getpid());
    ASSERT_TRUE(cluster("start", folder));
    const std::unique_ptr<const QString, void (*)(const QString*)> stopAtEnd(
        &folder, [](const QString* f) { cluster("stop", *f); });
    testing::ScratchDatabase db(
        Backend::Postgres,
        QStringLiteral("host=%1 port=5432 user=postgres dbname=postgres").arg(folder));
    ASSERT_TRUE(db.problem.isEmpty()) << db.problem.toStdString();
    const auto store = db.open();
    ASSERT_EQ(store->recordTests(QStringLiteral("TB1"), std::vector{testing::make({})}).value(), 1);
    ASSERT_TRUE(cluster("halt", folder));
    for (int attempt = 0; attempt < 2; ++attempt) {
        QElapsedTimer timer;
        timer.start();
        const auto count = store->testCount();
        EXPECT_LT(timer.elapsed(), 3000);
        ASSERT_FALSE(count.ok());
        EXPECT_FALSE(count.error().isEmpty());
    }
    ASSERT_TRUE(cluster("resume", folder));
    EXPECT_EQ(store->testCount().value(), 1);
    EXPECT_EQ(
        store->recordTests(QStringLiteral("TB1"), std::vector{testing::make({.time = "12:00"})})
            .value(),
        1);
}

// A server that takes the connection and never answers: the open gives up at the time-out.
TEST(PostgresServer, SilentServerHoldsTheOpenPastItsTimeout) {
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), length), 0);
    ASSERT_EQ(listen(listener, 16), 0);
    ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const QString server =
        QStringLiteral("host=127.0.0.1 port=%1 user=x dbname=x").arg(ntohs(address.sin_port));
    for (const auto& [options, seconds] : {std::pair("", 3.0), {" connect_timeout=2", 2.0}}) {
        QElapsedTimer timer;
        timer.start();
        const auto opened =
            HistoryStore::open({DatabaseTarget::Kind::Postgres, server + QLatin1String(options)});
        EXPECT_NEAR(timer.elapsed() / 1000.0, seconds, 0.7) << options;
        ASSERT_FALSE(opened.ok());
        EXPECT_TRUE(opened.error().contains(u"timeout")) << opened.error().toStdString();
    }
    close(listener);
}

}  // namespace
}  // namespace torbex::history
