// Setting.ini in temporary folders. Tests of unwritable files and folders skip as root; CTest runs
// them again as an ordinary user.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/settings_file.h"
#include "data/cp932.h"
#include "app/support/window_fixture.h"
#include "support/file_size_limit.h"

namespace torbex::app {
namespace {

using commands::MeasurementSettings;
const MeasurementSettings kDefaults{70.0F, 0, 0, 67.0F, 1, 0, 0, 0};

using testing::writeBytes;
const auto readBytes = testing::fileBytes;
QByteArray crlfLines(const QStringList& lines) {
    return data::encodeCp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).value();
}

class SettingsFileTest : public ::testing::Test {
protected:
    // The configuration folder is not created in advance: saving makes it.
    SettingsFolders folders() const { return {program.path(), config.filePath(QStringLiteral("t")), documents.path()}; }
    QString programFile() const { return program.filePath(kSettingsFileName); }
    QString configFile() const { return config.filePath(QStringLiteral("t/") + kSettingsFileName); }
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
    EXPECT_EQ(std::tuple(first.readable, first.settings.measurement, first.settings.DataDirectory), std::tuple(false, kDefaults, documents.path()));
    ASSERT_TRUE(file.save(first.settings));
    EXPECT_EQ(readBytes(programFile()), crlfLines(defaultLines()));
    // No folder, a fractional flow rate and a folder holding a comma come back as they were.
    ASSERT_TRUE(file.save({{}, QString()}));
    EXPECT_TRUE(SettingsFile(folders()).load().settings.DataDirectory.isEmpty());
    const StoredSettings stored{{12.5F, 0, 0, 40.0F, 0, 1, 1, 3}, QStringLiteral("C:\\data,2013\\")};
    ASSERT_TRUE(file.save(stored));
    const SettingsFile::LoadResult loaded = SettingsFile(folders()).load();
    EXPECT_EQ(std::tuple(loaded.readable, loaded.settings.measurement, loaded.settings.DataDirectory),
              std::tuple(true, stored.measurement, stored.DataDirectory));
}

// Only a line's position gives its meaning; anything this program did not write, or that a power
// cut left, gives the defaults: never flow 0 and level L, never a hang on a FIFO.
TEST_F(SettingsFileTest, ValuesTheListsCannotHoldAndDamagedFilesGiveDefaults) {
    QStringList lines = defaultLines();
    lines.swapItemsAt(4, 5);
    EXPECT_EQ(loadFrom(crlfLines(lines)).settings.measurement, (MeasurementSettings{70.0F, 0, 0, 67.0F, 0, 1, 0, 0}));

    const QByteArray good = crlfLines(defaultLines());
    EXPECT_TRUE(loadFrom(good + QByteArray("0,spare\r\n").repeated(92)).readable);  // 101 lines, the most a file holds; 102 below
    // The counts hold whatever fits in 16 bits, and nothing more ({1, "32768"} below).
    for (const auto& [line, value] : {std::pair{1, "32767"}, {2, "-32768"}}) {
        QStringList changed = defaultLines();
        changed[line] = QString::fromLatin1(value) + changed[line].mid(changed[line].indexOf(u','));
        EXPECT_TRUE(loadFrom(crlfLines(changed)).readable) << value;
    }
    std::vector<QByteArray> damaged{{}, good.left(good.indexOf("[05]")), QByteArray(300, '\0'), good + "\x82\xFF\r\n",
                                    good + QByteArray(2 * 1024 * 1024, ' '), good + QByteArray("0,spare\r\n").repeated(93)};
    for (const auto& [line, value] : {std::pair{4, "3"}, {4, "-1"}, {5, "2"}, {6, "5"}, {7, "4"}, {7, "-1"}, {1, "32768"}, {7, "-40000"}, {0, "1e999"},
                                      {0, "nan"}, {3, "inf"}, {2, ""}}) {
        QStringList changed = defaultLines();
        changed[line] = QString::fromLatin1(value) + changed[line].mid(changed[line].indexOf(u','));
        damaged.push_back(crlfLines(changed));
    }
    for (const QByteArray& bytes : damaged) {
        const SettingsFile::LoadResult loaded = loadFrom(bytes);
        EXPECT_EQ(std::tuple(loaded.readable, loaded.settings.measurement), std::tuple(false, kDefaults)) << bytes.left(80).toStdString();
    }
    QFile::remove(programFile());
    ASSERT_EQ(mkfifo(QFile::encodeName(programFile()).constData(), 0600), 0);
    EXPECT_FALSE(SettingsFile(folders()).load().readable);
}

// The settings saved last are the ones the next start loads, wherever the save had to go.
TEST_F(SettingsFileTest, SettingsSavedAnywhereAreTheOnesLoadedNext) {
    const StoredSettings saved{{12.5F, 0, 0, 40.0F, 0, 1, 1, 3}, QStringLiteral("/saved/here")};
    const auto expectLoaded = [&](const char* why) {
        const SettingsFile::LoadResult next = SettingsFile(folders()).load();
        EXPECT_EQ(std::tuple(next.readable, next.settings.measurement, next.settings.DataDirectory),
                  std::tuple(true, saved.measurement, saved.DataDirectory)) << why;
    };
    // A folder in the way of the file: the program folder looks writable but refuses it.
    ASSERT_TRUE(QDir(program.path()).mkdir(kSettingsFileName));
    ASSERT_TRUE(SettingsFile(folders()).save(saved));
    EXPECT_EQ(readBytes(configFile()).left(5), QByteArray("12.5,"));
    expectLoaded("refused by the program folder");
    ASSERT_TRUE(QDir(program.path()).rmdir(kSettingsFileName));

    // Both hold a file: the newer one was saved last.
    writeBytes(programFile(), crlfLines(defaultLines()));
    const auto touch = [](const QString& path, int seconds) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(seconds), QFileDevice::FileModificationTime));
    };
    touch(configFile(), 30);
    expectLoaded("newer in the configuration folder");
    touch(programFile(), 60);
    EXPECT_FLOAT_EQ(SettingsFile(folders()).load().settings.measurement.FlowRate, 70.0F);

    if (geteuid() == 0) GTEST_SKIP() << "root writes wherever it likes; CTest runs this again as an ordinary user";
    // A read-only file in a writable folder, and a read-only folder.
    ASSERT_TRUE(QFile::remove(configFile()));
    ASSERT_TRUE(QFile::setPermissions(programFile(), QFile::ReadOwner));
    ASSERT_TRUE(SettingsFile(folders()).save(saved));
    expectLoaded("read-only file");
    ASSERT_TRUE(QFile::remove(configFile()));
    ASSERT_TRUE(QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner));
    ASSERT_TRUE(SettingsFile(folders()).save(saved));
    EXPECT_EQ(readBytes(programFile()), crlfLines(defaultLines()));
    expectLoaded("read-only folder");
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(SettingsFileTest, SaveFailsWhenNoFolderTakesTheFileAndAFullDiskKeepsTheOldOne) {
    writeBytes(documents.filePath(QStringLiteral("plain")), "x");
    for (const QString& configFolder : {QString(), documents.filePath(QStringLiteral("plain/t"))})
        EXPECT_FALSE(SettingsFile({QString(), configFolder, documents.path()}).save({})) << configFolder.toStdString();
    SettingsFile file(folders());
    ASSERT_TRUE(file.save(file.defaults()));
    const QByteArray old = readBytes(file.path());
    // Below and above QSaveFile's 16 KiB buffer (a long folder name makes a large file).
    for (const int folderLength : {8, 40000}) {
        EXPECT_TRUE(testing::underFileSizeLimit(64, [&] { return !file.save({{}, QString(folderLength, u'd')}); })) << folderLength;
        EXPECT_EQ(readBytes(file.path()), old);
    }
    EXPECT_EQ(withoutTrailingSeparator(QStringLiteral("C:\\\\")), QStringLiteral("C:\\"));
}

}  // namespace
}  // namespace torbex::app
