// Where the history is kept, how often pumps are due, and SQLite files not as they should be.
#include <QCoreApplication>
#include <QStandardPaths>

#include "data/file_io.h"
#include "support/scratch_database.h"

namespace torbex::history {
namespace {

using namespace Qt::Literals::StringLiterals;
using Kind = DatabaseTarget::Kind;

void write(const QString& folder, const char* name, const QByteArray& text) {
    ASSERT_TRUE(data::writeFileAtomically(folder + u'/' + QLatin1String(name), text));
}

TEST(DatabaseChoice, WrongDatabaseOrIntervalTaken) {
    for (const auto& [text, kind, location] :
         {std::tuple("sqlite:/x/h", Kind::Sqlite, "/x/h"),
          {" /x/h.sqlite ", Kind::Sqlite, "/x/h.sqlite"},
          {"C:\\h.DB", Kind::Sqlite, "C:\\h.DB"},
          {"host=db dbname=x", Kind::Postgres, "host=db dbname=x"},
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

    EXPECT_EQ(inspectionIntervalMonths(folders) * 100 + inspectionIntervalMonths({third.path()}),
              612);
    for (const auto& [text, months] :
         {std::pair("1", 1), {"120", 120}, {"0", 12}, {"6.5", 12}, {"x", 12}}) {
        write(first.path(), "torbex.conf", QByteArray("[history]\ninterval=") + text);
        EXPECT_EQ(inspectionIntervalMonths({first.path()}), months) << text;
    }
}

TEST(SqliteStore, WrongFileTakenOrFolderNotMade) {
    QTemporaryDir folder;
    write(folder.path(), "notes.sqlite", QByteArray(4096, 'x'));
    const auto refused =
        HistoryStore::open({Kind::Sqlite, folder.filePath(QStringLiteral("notes.sqlite"))});
    EXPECT_TRUE(!refused.ok() && refused.error().contains(u"not a database"));
    EXPECT_EQ(data::readRegularFile(folder.filePath(QStringLiteral("notes.sqlite")), 8192).bytes,
              QByteArray(4096, 'x'));
    EXPECT_TRUE(
        HistoryStore::open({Kind::Sqlite, folder.filePath(QStringLiteral("a/b/history.sqlite"))})
            .ok());
}

}  // namespace
}  // namespace torbex::history
