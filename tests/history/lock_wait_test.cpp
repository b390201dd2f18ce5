// A process that holds the history and then stops (an importer stopped by its operator): the
// tool's wait for it ends within seconds, with the reason, and a download still writes its file.
#include <signal.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUuid>

#include "support/scratch_database.h"

namespace torbex::history {
namespace {

using namespace Qt::Literals::StringLiterals;
using testing::Backend;

// A database client that runs `sql`, which takes a lock and prints "held", and is then stopped
// with SIGSTOP. At the end, whatever the outcome, it is continued and killed: the lock is free.
class StoppedHolder {
public:
    StoppedHolder(const QString& program, const QStringList& arguments, const QByteArray& sql) {
        m_client.start(program, arguments);
        m_client.write(sql + '\n');
        QByteArray said;
        while (!said.contains("held") && m_client.waitForReadyRead(10000))
            said += m_client.readAllStandardOutput();
        if (!said.contains("held") || ::kill(pid_t(m_client.processId()), SIGSTOP) != 0)
            problem = program + u": "_s + m_client.errorString() +
                      QString::fromLocal8Bit(m_client.readAllStandardError());
    }
    ~StoppedHolder() {
        if (m_client.processId() > 0) ::kill(pid_t(m_client.processId()), SIGCONT);
        m_client.kill();
        m_client.waitForFinished(10000);
    }
    QString problem;  // why the lock is not held

private:
    QProcess m_client;
};

struct ToolRun {
    int status;
    qint64 ms;
    std::string err;
};

// The tool run with each argument list at once; one still waiting after 20 s is killed.
std::vector<ToolRun> runTools(const QString& database, const std::vector<QStringList>& calls) {
    std::vector<std::unique_ptr<QProcess>> tools;
    QElapsedTimer timer;
    timer.start();
    for (const QStringList& arguments : calls) {
        tools.push_back(std::make_unique<QProcess>());
        tools.back()->start(QStringLiteral(TORBEX_CLI_PATH),
                            QStringList{u"--database"_s, database} + arguments);
    }
    std::vector<ToolRun> runs;
    for (const auto& tool : tools) {
        const bool ended = tool->waitForFinished(int(std::max<qint64>(0, 20000 - timer.elapsed())));
        tool->kill();
        runs.push_back({ended ? tool->exitCode() : -1, timer.elapsed(),
                        tool->readAllStandardError().toStdString()});
    }
    return runs;
}

// The tool gave up within seconds with `status`, saying why: that another program is writing,
// or the database's words for a row lock it waited for.
void expectUnavailableWithinSeconds(const ToolRun& run, int status, const char* why) {
    EXPECT_EQ(run.status, status) << run.err;
    EXPECT_LT(run.ms, 9000);
    EXPECT_NE(run.err.find("history unavailable: "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(why), std::string::npos) << run.err;
}

const char* const kWriting = "another program is writing to the history";
const QString kRfid = u"0807060504030201"_s;
const QStringList kSetNumber{u"registry"_s, u"set"_s, kRfid, u"A-2"_s};

TEST(StoppedWriter, PostgresWriterOrDownloadWaitsForEver) {
    // The writers' lock is the database's: a database of its own keeps other tests from waiting.
    testing::ScratchDatabase cluster(Backend::Postgres);
    ASSERT_TRUE(cluster.problem.isEmpty()) << cluster.problem.toStdString();
    const QString name = u"locks_"_s + QUuid::createUuid().toString(QUuid::Id128);
    ASSERT_EQ(cluster.scalar(u"CREATE DATABASE "_s + name, cluster.server).toString(), QString());
    const std::shared_ptr<void> dropAtEnd(nullptr, [&](void*) {
        cluster.scalar(u"DROP DATABASE "_s + name + u" WITH (FORCE)"_s, cluster.server);
    });
    QString server = cluster.server;
    testing::ScratchDatabase db(Backend::Postgres,
                                server.replace(u"dbname=postgres"_s, u"dbname="_s + name));
    ASSERT_TRUE(db.problem.isEmpty()) << db.problem.toStdString();
    ASSERT_TRUE(db.open()->setManagementNumber(kRfid, u"A-1"_s, ChangeSource::Tool).ok());
    const QString csv = db.folder.filePath(u"x.csv"_s);
    const QStringList download{u"--simulate"_s, QStringLiteral(TORBEX_SAMPLE_SCENARIO),
                               u"download"_s, u"--out"_s, csv};
    // The writers' lock, then a row someone edits (a download writes no registry row).
    for (const char* lock : {"pg_advisory_xact_lock(128022009243000)", "1 FROM pumps FOR UPDATE"}) {
        const StoppedHolder holder(QStringLiteral(TORBEX_PG_BIN "/psql"),
                                   {u"-XqAt"_s, u"-v"_s, u"ON_ERROR_STOP=1"_s, db.target.location},
                                   QByteArray("BEGIN; SELECT ") + lock + ";\n\\echo held");
        ASSERT_TRUE(holder.problem.isEmpty()) << holder.problem.toStdString();
        const bool writers = QByteArray(lock).contains("advisory");
        const auto runs = runTools(db.target.location, writers ? std::vector{kSetNumber, download}
                                                               : std::vector{kSetNumber});
        expectUnavailableWithinSeconds(runs[0], 4, writers ? kWriting : "lock timeout");
        if (!writers) continue;
        expectUnavailableWithinSeconds(runs[1], 0, kWriting);  // a warning: the file is written
        EXPECT_GT(QFileInfo(csv).size(), 0);
    }
}

TEST(StoppedWriter, SqliteWriterWaitsForEver) {
    testing::ScratchDatabase db(Backend::Sqlite);
    ASSERT_TRUE(db.open());
    const QString sqlite3 = QStandardPaths::findExecutable(u"sqlite3"_s);
    ASSERT_FALSE(sqlite3.isEmpty()) << "no sqlite3: source tools/setup.sh; torbex_install_missing";
    const StoppedHolder holder(sqlite3, {u"-bail"_s, db.target.location},
                               "BEGIN IMMEDIATE;\n.print held");
    ASSERT_TRUE(holder.problem.isEmpty()) << holder.problem.toStdString();
    expectUnavailableWithinSeconds(runTools(u"sqlite:"_s + db.target.location, {kSetNumber})[0], 4,
                                   kWriting);
}

}  // namespace
}  // namespace torbex::history
