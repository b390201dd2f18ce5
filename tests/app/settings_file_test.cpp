// Setting.ini and the value/label file routines, in temporary folders. Tests of unwritable folders
// skip as root; CTest runs them again as an ordinary user.
#include <gtest/gtest.h>

#include <QtGlobal>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <QDir>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include "app/settings_file.h"
#include "app/text_files.h"
#include "data/cp932.h"

namespace torbex::app {
namespace {

// Root writes into read-only folders, and Windows ignores a folder's read-only flag.
bool folderPermissionsIgnored() {
#ifdef Q_OS_UNIX
    return geteuid() == 0;
#else
    return true;
#endif
}


using commands::MeasurementSettings;

const MeasurementSettings kDefaults{70.0F, 0, 0, 67.0F, 1, 0, 0, 0};

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray crlfLines(const QStringList& lines) {
    return data::encodeCp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).value();
}

class SettingsFileTest : public ::testing::Test {
protected:
    // The configuration folder is not created in advance: saving makes it.
    SettingsFolders folders() const { return {program.path(), config.filePath(QStringLiteral("t")), documents.path()}; }
    QString programFile() const { return program.filePath(kSettingsFileName); }
    QString configFile() const { return config.filePath(QStringLiteral("t/") + kSettingsFileName); }
    // The lines the defaults are saved as.
    QStringList defaultLines() const {
        return {QStringLiteral("70,[00] 流量設定(ml/h)"),  QStringLiteral("0,[01] 平均数(未使用)"),
                QStringLiteral("0,[02] 測定数(未使用)"),   QStringLiteral("67,[03] 閉塞圧力(kpa)"),
                QStringLiteral("1,[04] 閉塞設定(L/M/H)"),  QStringLiteral("0,[05] 測定データ書き込みモード"),
                QStringLiteral("0,[06] RFID使用／未使用"), QStringLiteral("0,[07] 測定単位設定"),
                documents.path() + QStringLiteral(",[08] データディレクトリ")};
    }
    SettingsFile::LoadResult loadFrom(const QByteArray& bytes) const {
        writeBytes(programFile(), bytes);
        return SettingsFile(folders()).load();
    }

    QTemporaryDir program, config, documents;
};

TEST_F(SettingsFileTest, FirstStartGivesDefaultsAndSavesNineCp932LinesThatReadBack) {
    SettingsFile file(folders());
    const SettingsFile::LoadResult first = file.load();
    EXPECT_FALSE(first.readable);
    EXPECT_EQ(first.settings.measurement, kDefaults);
    EXPECT_EQ(first.settings.DataDirectory, documents.path());
    ASSERT_TRUE(file.save(first.settings));
    EXPECT_EQ(readBytes(programFile()), crlfLines(defaultLines()));

    // A fractional flow rate and a folder holding a comma come back as they were.
    const StoredSettings stored{{12.5F, 0, 0, 40.0F, 0, 1, 1, 3}, QStringLiteral("C:\\data,2013")};
    ASSERT_TRUE(file.save(stored));
    EXPECT_TRUE(readBytes(programFile()).startsWith("12.5,"));
    const SettingsFile::LoadResult loaded = SettingsFile(folders()).load();
    EXPECT_TRUE(loaded.readable);
    EXPECT_EQ(loaded.settings.measurement, stored.measurement);
    EXPECT_EQ(loaded.settings.DataDirectory, stored.DataDirectory);
}

TEST_F(SettingsFileTest, OnlyLinePositionGivesMeaning) {
    QStringList lines = defaultLines();
    QStringList swappedLabels = lines;
    swappedLabels[4] = QStringLiteral("1,") + lines[5].section(u',', -1);
    swappedLabels[5] = QStringLiteral("0,") + lines[4].section(u',', -1);
    EXPECT_EQ(loadFrom(crlfLines(swappedLabels)).settings.measurement, kDefaults);
    lines.swapItemsAt(4, 5);
    EXPECT_EQ(loadFrom(crlfLines(lines)).settings.measurement, (MeasurementSettings{70.0F, 0, 0, 67.0F, 0, 1, 0, 0}));
}

// What a power cut or a wrong file leaves: never read as settings of flow 0 and level L, and
// never a start that hangs on a FIFO or runs out of memory on a huge file.
TEST_F(SettingsFileTest, EmptyCutShortNulFilledHugeOrSpecialFilesAreUnreadable) {
    QByteArray cut = crlfLines(defaultLines());
    cut.truncate(cut.indexOf("[05]"));
    QStringList blankValue = defaultLines();
    blankValue[2] = QStringLiteral(",[02] 測定数(未使用)");
    const std::pair<const char*, QByteArray> damaged[] = {
        {"empty", {}},
        {"cut short", cut},
        {"NUL-filled", QByteArray(300, '\0')},
        {"a value missing", crlfLines(blankValue)},
        {"larger than any settings file", crlfLines(defaultLines()) + QByteArray(2 * 1024 * 1024, ' ')},
    };
    for (const auto& [why, bytes] : damaged) {
        const SettingsFile::LoadResult loaded = loadFrom(bytes);
        EXPECT_FALSE(loaded.readable) << why;
        EXPECT_EQ(loaded.settings.measurement, kDefaults) << why;
    }
    QFile::remove(programFile());
    ASSERT_EQ(mkfifo(QFile::encodeName(programFile()).constData(), 0600), 0);
    EXPECT_FALSE(SettingsFile(folders()).load().readable);
}

TEST_F(SettingsFileTest, ValuesTheListsCannotHoldAndOverlongOrGarbledFilesGiveDefaults) {
    const std::pair<int, const char*> badValues[] = {{4, "3"},      {4, "-1"},     {5, "2"},   {6, "5"},   {1, "40000"},
                                                     {7, "-40000"}, {0, "1e999"}, {0, "nan"}, {3, "inf"}, {2, "1e999"}};
    for (const auto& [line, value] : badValues) {
        QStringList lines = defaultLines();
        lines[line] = QString::fromLatin1(value) + lines[line].mid(lines[line].indexOf(u','));
        const SettingsFile::LoadResult loaded = loadFrom(crlfLines(lines));
        EXPECT_FALSE(loaded.readable) << "line " << line << " = " << value;
        EXPECT_EQ(loaded.settings.measurement, kDefaults) << "line " << line << " = " << value;
    }
    QStringList longest = defaultLines();
    while (longest.size() < kValueLabelLines) longest.append(QStringLiteral("0,spare"));
    EXPECT_TRUE(loadFrom(crlfLines(longest)).readable);
    EXPECT_FALSE(loadFrom(crlfLines(longest << QStringLiteral("0,spare"))).readable);
    EXPECT_FALSE(loadFrom(crlfLines(defaultLines()) + QByteArray("\x82\xFF,\x85\x40\r\n")).readable);
}

TEST_F(SettingsFileTest, ReadOnlySettingsFileInAWritableFolderMovesToConfigForGood) {
    if (folderPermissionsIgnored()) GTEST_SKIP() << "file permissions do not hold for this user here";
    writeBytes(programFile(), crlfLines(defaultLines()));
    ASSERT_TRUE(QFile::setPermissions(programFile(), QFile::ReadOwner));
    const StoredSettings saved{{12.5F, 0, 0, 40.0F, 0, 1, 1, 3}, QStringLiteral("/saved/here")};
    ASSERT_TRUE(SettingsFile(folders()).save(saved));
    const SettingsFile::LoadResult next = SettingsFile(folders()).load();
    EXPECT_EQ(next.settings.measurement, saved.measurement);
    EXPECT_EQ(next.settings.DataDirectory, saved.DataDirectory);
}

TEST_F(SettingsFileTest, NewerFileInTheConfigFolderIsTheOneSavedLast) {
    // A save the program folder refused went to the configuration folder; the old file stayed.
    writeBytes(programFile(), crlfLines(defaultLines()));
    QDir().mkpath(config.filePath(QStringLiteral("t")));
    QStringList saved = defaultLines();
    saved[0] = QStringLiteral("12.5,[00] 流量設定(ml/h)");
    writeBytes(configFile(), crlfLines(saved));
    const auto setAge = [](const QString& path, int secondsAgo) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) &&
                    file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo), QFileDevice::FileModificationTime));
    };
    setAge(programFile(), 60);
    setAge(configFile(), 30);
    EXPECT_FLOAT_EQ(SettingsFile(folders()).load().settings.measurement.FlowRate, 12.5F);
    EXPECT_EQ(SettingsFile(folders()).path(), configFile());
    setAge(programFile(), 10);
    EXPECT_FLOAT_EQ(SettingsFile(folders()).load().settings.measurement.FlowRate, 70.0F);
}

TEST_F(SettingsFileTest, ReadOnlyProgramFolderKeepsItsOldFileAndSendsTheNewOneToConfig) {
    if (folderPermissionsIgnored()) GTEST_SKIP() << "folder permissions do not hold for this user here";
    writeBytes(programFile(), "old,file\r\n");
    ASSERT_TRUE(QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner));
    EXPECT_EQ(WriteValueLabelFile(programFile(), 1, {QStringLiteral("new")}, {QStringLiteral("label")}), -1);
    ASSERT_TRUE(SettingsFile(folders()).save({{12.5F, 0, 0, 67.0F, 1, 0, 0, 0}, QStringLiteral("D:\\")}));
    EXPECT_EQ(readBytes(programFile()), QByteArray("old,file\r\n"));
    EXPECT_FLOAT_EQ(SettingsFile(folders()).load().settings.measurement.FlowRate, 12.5F);
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(SettingsFileTest, ProgramFolderThatRefusesTheWriteLosesTheFileForGoodAndNoFolderFailsTheSave) {
    // The folder looks writable, yet the file cannot be made there (as in a protected folder
    // whose permissions the platform does not report).
    ASSERT_TRUE(QDir(program.path()).mkdir(kSettingsFileName));
    EXPECT_TRUE(IsFileAbsent(configFile()));
    SettingsFile file(folders());
    ASSERT_TRUE(file.save({{12.5F, 0, 0, 67.0F, 1, 0, 0, 0}, QStringLiteral("D:\\")}));
    EXPECT_TRUE(IsFileAbsent(programFile()));  // a folder is no file
    EXPECT_FALSE(IsFileAbsent(configFile()));
    EXPECT_EQ(file.path(), configFile());
    // The next start must find it there instead of starting over with the defaults.
    EXPECT_FLOAT_EQ(SettingsFile(folders()).load().settings.measurement.FlowRate, 12.5F);

    // Saving fails when no folder takes the file.
    const QString plainFile = documents.filePath(QStringLiteral("plain.txt"));
    writeBytes(plainFile, "x");
    for (const QString& configFolder : {QString(), plainFile + QStringLiteral("/t")}) {
        SettingsFile nowhere({QString(), configFolder, documents.path()});
        EXPECT_FALSE(nowhere.save(nowhere.defaults())) << configFolder.toStdString();
        EXPECT_FALSE(nowhere.load().readable);
    }
}

TEST(TextFiles, StripTrailingBackslashDropsOneSeparator) {
    const std::pair<const char*, const char*> strips[] = {
        {"C:\\", "C:"}, {"C:\\\\", "C:\\"}, {"C:\\data", "C:\\data"}, {"/tmp/", "/tmp"}, {"", ""}};
    for (const auto& [path, stripped] : strips)
        EXPECT_EQ(StripTrailingBackslash(QString::fromLatin1(path)), QString::fromLatin1(stripped)) << path;
}

}  // namespace
}  // namespace torbex::app
