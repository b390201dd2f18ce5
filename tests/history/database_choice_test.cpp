// Where the history is kept, how often pumps are due, and SQLite files that are not what they seem.
#include <QCoreApplication>
#include <QStandardPaths>

#include "data/file_io.h"
#include "history/scratch_database.h"

namespace torbex::history {
namespace {

using Kind = DatabaseTarget::Kind;

void writeConf(const QString& folder, const QByteArray& text, const char* name = "torbex.conf") {
    ASSERT_TRUE(data::writeFileAtomically(folder + u'/' + QLatin1String(name), text));
}

TEST(DatabaseChoice, WrongDatabaseOrIntervalTaken) {
    const std::tuple<const char*, Kind, const char*> texts[] = {
        {"sqlite:/x/h", Kind::Sqlite, "/x/h"},
        {" /x/h.sqlite ", Kind::Sqlite, "/x/h.sqlite"},
        {"C:\\h.DB", Kind::Sqlite, "C:\\h.DB"},
        {"host=db dbname=torbex", Kind::Postgres, "host=db dbname=torbex"},
        {"torbex", Kind::Postgres, "torbex"}};
    for (const auto& [text, kind, location] : texts)
        EXPECT_EQ(DatabaseTarget::fromText(QString::fromLatin1(text)),
                  (DatabaseTarget{kind, QString::fromLatin1(location)}))
            << text;

    QTemporaryDir none, first, second;
    writeConf(first.path(),
              "[tester]\nflow=1\n");  // Setting.ini's place, never read for the history
    writeConf(first.path(), "[history]\ndatabase=nope.sqlite\n", "Setting.ini");
    writeConf(second.path(), "[history]\ndatabase=shared.sqlite\ninterval=6\n");
    writeConf(none.path(), "[history]\ndatabase=host=db, dbname=x\ninterval=121\n");
    const QStringList folders{first.path(), second.path(), none.path()};
    qunsetenv("TORBEX_DATABASE");
    EXPECT_EQ(chooseDatabase(folders),
              (DatabaseTarget{Kind::Sqlite, second.filePath(QStringLiteral("shared.sqlite"))}));
    EXPECT_EQ(chooseDatabase({none.path()}),
              (DatabaseTarget{Kind::Postgres, QStringLiteral("host=db, dbname=x")}));
    qputenv("TORBEX_DATABASE", "service");
    EXPECT_EQ(chooseDatabase(folders), (DatabaseTarget{Kind::Postgres, QStringLiteral("service")}));
    EXPECT_EQ(chooseDatabase(folders, QStringLiteral("a.db")),
              (DatabaseTarget{Kind::Sqlite, QStringLiteral("a.db")}));
    qunsetenv("TORBEX_DATABASE");
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(QStringLiteral("torbex"));
    EXPECT_TRUE(chooseDatabase({first.path()}).location.endsWith(u"/torbex/history.sqlite"));

    EXPECT_EQ(inspectionIntervalMonths(folders), 6);
    EXPECT_EQ(inspectionIntervalMonths({none.path()}), 12);
    EXPECT_EQ(inspectionIntervalMonths({first.path()}), 12);
    for (const auto& [text, months] :
         {std::pair("1", 1), {"120", 120}, {"0", 12}, {"6.5", 12}, {"x", 12}}) {
        writeConf(first.path(), QByteArray("[history]\ninterval=") + text + '\n');
        EXPECT_EQ(inspectionIntervalMonths({first.path()}), months) << text;
    }
}

TEST(SqliteStore, WrongFileTakenOrFolderNotMadeOrTestsTooLarge) {
    QTemporaryDir folder;
    const QString notDatabase = folder.filePath(QStringLiteral("notes.sqlite"));
    ASSERT_TRUE(data::writeFileAtomically(notDatabase, QByteArray(4096, 'x')));
    const auto refused = HistoryStore::open({Kind::Sqlite, notDatabase});
    ASSERT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error().contains(u"not a database")) << refused.error().toStdString();
    EXPECT_EQ(data::readRegularFile(notDatabase, 8192).bytes, QByteArray(4096, 'x'));

    EXPECT_TRUE(
        HistoryStore::open({Kind::Sqlite, folder.filePath(QStringLiteral("a/b/history.sqlite"))})
            .ok());

    testing::ScratchDatabase db(testing::Backend::Sqlite);
    std::vector<data::MeasurementRecord> records;
    for (int i = 0; i < 3000; ++i) {
        const QByteArray rfid =
            QByteArray::number(0x0807060504000000 + i % 97, 16).rightJustified(16, '0');
        const QByteArray date =
            QDate(2013, 1, 1).addDays(i / 10).toString(u"yyyy/MM/dd").toLatin1();
        const QByteArray time = QTime(8, 0).addSecs(60 * i).toString(u"HH:mm").toLatin1();
        records.push_back(
            testing::make({.rfid = rfid.data(), .date = date.data(), .time = time.data()}));
    }
    ASSERT_EQ(db.open()->recordTests(QStringLiteral("TB000123"), records).value(), 3000);
    const int bytes =
        db.scalar(QStringLiteral(
                      "SELECT page_count * page_size FROM pragma_page_count(), pragma_page_size()"))
            .toInt();
    EXPECT_LE(bytes / 3000, 300) << bytes << " bytes";
}

}  // namespace
}  // namespace torbex::history
