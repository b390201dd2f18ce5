// Where the history is kept, how often pumps are due, and databases not as they should be.
#include <sys/stat.h>

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

#include "data/file_io.h"
#include "support/scratch_database.h"

namespace torbex::history {
namespace {

using namespace Qt::Literals::StringLiterals;
using Kind = DatabaseTarget::Kind;
using testing::Backend;
using testing::refusal;

void write(const QString& folder, const char* name, const QByteArray& text) {
    ASSERT_TRUE(data::writeFileAtomically(folder + u'/' + QLatin1String(name), text));
}

QByteArray bytes(const QString& path) { return data::readRegularFile(path, 1 << 20).bytes; }

TEST(DatabaseChoice, WrongDatabaseOrIntervalTaken) {
    for (const auto& [text, kind, location] :
         {std::tuple("sqlite:/x/h", Kind::Sqlite, "/x/h"),
          {" /x/h.sqlite ", Kind::Sqlite, "/x/h.sqlite"},
          {"C:\\h.DB", Kind::Sqlite, "C:\\h.DB"},
          {"host=db dbname=x", Kind::Postgres, "host=db dbname=x"},
          {"host=x dbname=y application_name=torbex.db", Kind::Postgres,
           "host=x dbname=y application_name=torbex.db"},
          {"postgres://db/x.db", Kind::Postgres, "postgres://db/x.db"},
          {"sqlite:/a=b", Kind::Sqlite, "/a=b"},
          {"torbex", Kind::Postgres, "torbex"}})
        EXPECT_EQ(DatabaseTarget::fromText(QLatin1String(text)),
                  (DatabaseTarget{kind, QLatin1String(location)}))
            << text;

    QTemporaryDir first, second, third;
    write(first.path(), "torbex.conf", "[tester]\nflow=1\n");
    write(first.path(), "Setting.ini",
          "[history]\ndatabase=no.sqlite\n");  // the tester's settings only
    write(second.path(), "torbex.conf", "[history]\ndatabase=shared.sqlite\ninterval=6\n");
    write(third.path(), "torbex.conf", "[history]\ndatabase=host=db, dbname=x\ninterval=121\n");
    const QStringList folders{first.path(), second.path(), third.path()};
    qunsetenv("TORBEX_DATABASE");
    EXPECT_EQ(chooseDatabase(folders),
              (DatabaseTarget{Kind::Sqlite, second.filePath(u"shared.sqlite"_s)}));
    EXPECT_EQ(chooseDatabase({third.path()}).location, QStringLiteral("host=db, dbname=x"));
    qputenv("TORBEX_DATABASE", "service");
    EXPECT_EQ(chooseDatabase(folders), (DatabaseTarget{Kind::Postgres, QStringLiteral("service")}));
    EXPECT_EQ(chooseDatabase(folders, QStringLiteral("a.db")),
              (DatabaseTarget{Kind::Sqlite, QStringLiteral("a.db")}));
    qunsetenv("TORBEX_DATABASE");
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(QStringLiteral("torbex"));
    EXPECT_TRUE(chooseDatabase({first.path()}).location.endsWith(u"/torbex/history.sqlite"));

    const auto interval = [](const QStringList& folders) {  // the months, and whether told
        const InspectionInterval taken = inspectionIntervalMonths(folders);
        return std::pair(taken.months, !taken.problem.isEmpty());
    };
    EXPECT_EQ(interval(folders), std::pair(6, false));
    EXPECT_EQ(interval({first.path()}), std::pair(12, false));
    EXPECT_EQ(interval({third.path()}), std::pair(12, true));
    for (const auto& [text, months] :
         {std::pair("1", 1), {"120", 120}, {"0", 0}, {"6.5", 0}, {"6 months", 0}}) {
        write(first.path(), "torbex.conf", QByteArray("[history]\ninterval=") + text);
        EXPECT_EQ(interval({first.path()}), months ? std::pair(months, false) : std::pair(12, true))
            << text;
    }
}

// Each file in rollback-journal mode: another program's database, a newer program's history, a
// history that lacks a table. Not one byte may change, the journal mode (in the header) included;
// nor may a file that is no database at all. A history's missing folders are made.
TEST(SqliteStore, WrongFileTakenOrChangedOrSpecialFileOpenedOrFolderNotMade) {
    const std::pair<QStringList, const char*> files[] = {
        {{u"CREATE TABLE notes (x TEXT)"_s}, "not a torbex history"},
        {{u"CREATE TABLE schema_version (version INTEGER)"_s,
          u"INSERT INTO schema_version VALUES (99)"_s},
         "version 99"},
        {{u"CREATE TABLE schema_version (version INTEGER)"_s,
          u"INSERT INTO schema_version VALUES (1)"_s, u"CREATE TABLE tests (id INTEGER)"_s,
          u"CREATE TABLE pumps (rfid TEXT)"_s},
         "audit"},
        {{u"CREATE TABLE schema_version (version INTEGER)"_s, u"INSERT INTO schema_version VALUES (3)"_s,
          u"CREATE TABLE tests (id INTEGER)"_s, u"CREATE TABLE pumps (rfid TEXT)"_s, u"CREATE TABLE audit (id INTEGER)"_s},
         "models"}};
    for (const auto& [statements, reason] : files) {
        testing::ScratchDatabase file(Backend::Sqlite);
        for (const QString& statement : statements) file.scalar(statement);
        const QByteArray before = bytes(file.target.location);
        EXPECT_TRUE(refusal(file.target).contains(QLatin1String(reason)))
            << refusal(file.target).toStdString();
        EXPECT_EQ(bytes(file.target.location), before) << reason;
        EXPECT_FALSE(QFileInfo::exists(file.target.location + u"-wal"_s)) << reason;
    }
    QTemporaryDir folder;
    write(folder.path(), "notes.sqlite", QByteArray(4096, 'x'));
    const QString refused = refusal({Kind::Sqlite, folder.filePath(u"notes.sqlite"_s)});
    EXPECT_TRUE(refused.contains(u"not a database")) << refused.toStdString();
    EXPECT_EQ(bytes(folder.filePath(u"notes.sqlite"_s)), QByteArray(4096, 'x'));
    EXPECT_TRUE(HistoryStore::open({Kind::Sqlite, folder.filePath(u"a/b/history.sqlite"_s)}).ok());
    const QString fifo = folder.filePath(u"fifo"_s);
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    for (const QString& path : {u"/dev/null"_s, folder.path(), fifo}) {
        const QString why = refusal({Kind::Sqlite, path});
        EXPECT_TRUE(why.contains(u"not a regular file")) << why.toStdString();
    }
}

TEST(PostgresStore, ForeignSchemaChanged) {
    testing::ScratchDatabase other(Backend::Postgres);
    ASSERT_TRUE(other.problem.isEmpty()) << other.problem.toStdString();
    other.scalar(u"CREATE TABLE notes (x TEXT)"_s);
    EXPECT_TRUE(refusal(other.target).contains(u"not a torbex history"))
        << refusal(other.target).toStdString();
    EXPECT_EQ(other.scalar(u"SELECT COUNT(*) FROM pg_tables WHERE schemaname = current_schema()"_s),
              1);
}

// Due dates 12 months on where the department meant another interval would look right and be
// wrong: the tool says why and lists none.
TEST(DatabaseChoice, UnusableIntervalListedAsTwelveMonths) {
    QTemporaryDir config;
    ASSERT_TRUE(QDir(config.path()).mkpath(u"torbex"_s));
    write(config.filePath(u"torbex"_s), "torbex.conf", "[history]\ninterval=6 months\n");
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_CONFIG_HOME"_s, config.path());
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral(TORBEX_CLI_PATH),
               {u"--database"_s, u"sqlite:"_s + config.filePath(u"h.sqlite"_s), u"registry"_s});
    ASSERT_TRUE(tool.waitForFinished(30000));
    const QString err = QString::fromUtf8(tool.readAllStandardError());
    EXPECT_EQ(tool.exitCode(), 1) << err.toStdString();
    EXPECT_TRUE(err.contains(u"interval=6 months")) << err.toStdString();
}

}  // namespace
}  // namespace torbex::history
