// Setting.ini and the value/label file routines, in temporary program, configuration and
// documents folders.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/settings_file.h"
#include "app/text_files.h"
#include "data/cp932.h"

namespace torbex::app {
namespace {

using commands::MeasurementSettings;

const MeasurementSettings kDefaults{70.0F, 0, 0, 67.0F, 1, 0, 0, 0};

QByteArray cp932(const QString& text) { return data::encodeCp932(text).value(); }

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray crlfLines(const QStringList& lines) { return cp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")); }

bool runningAsRoot() { return geteuid() == 0; }

class SettingsFileTest : public ::testing::Test {
protected:
    SettingsFolders folders() const { return {program.path(), configPath(), documents.path()}; }
    // Not created in advance: saving makes it.
    QString configPath() const { return config.filePath(QStringLiteral("torbex")); }
    QString programFile() const { return program.filePath(kSettingsFileName); }
    QString configFile() const { return configPath() + u'/' + kSettingsFileName; }

    // The lines of a file saved with the defaults.
    QStringList savedLines() {
        SettingsFile file(folders());
        EXPECT_TRUE(file.save(file.defaults()));
        QStringList lines = data::decodeCp932(readBytes(programFile())).value().split(QStringLiteral("\r\n"));
        lines.removeLast();
        return lines;
    }

    QTemporaryDir program, config, documents;
};

TEST_F(SettingsFileTest, FirstStartGivesDefaultsAndSaveWritesNineCp932Lines) {
    SettingsFile file(folders());
    const SettingsFile::LoadResult first = file.load();
    EXPECT_FALSE(first.readable);
    EXPECT_EQ(first.settings.measurement, kDefaults);
    EXPECT_EQ(first.settings.DataDirectory, documents.path());

    ASSERT_TRUE(file.save(first.settings));
    const QByteArray bytes = readBytes(programFile());
    EXPECT_EQ(bytes.count("\r\n"), 9);
    EXPECT_EQ(bytes.count('\n'), 9);  // no bare line feeds
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[0], cp932(QStringLiteral("70,[00] 流量設定(ml/h)\r")));
    EXPECT_EQ(lines[3], cp932(QStringLiteral("67,[03] 閉塞圧力(kpa)\r")));
    EXPECT_EQ(lines[4], cp932(QStringLiteral("1,[04] 閉塞設定(L/M/H)\r")));
    EXPECT_EQ(lines[8], cp932(documents.path() + QStringLiteral(",[08] データディレクトリ\r")));
    EXPECT_TRUE(lines[9].isEmpty());

    const SettingsFile::LoadResult again = SettingsFile(folders()).load();
    EXPECT_TRUE(again.readable);
    EXPECT_EQ(again.settings.measurement, kDefaults);
}

TEST_F(SettingsFileTest, FractionalFlowAndFolderWithCommaRoundTrip) {
    SettingsFile file(folders());
    StoredSettings stored{{12.5F, 0, 0, 40.0F, 0, 1, 1, 3}, QStringLiteral("C:\\data,2013")};
    ASSERT_TRUE(file.save(stored));
    EXPECT_TRUE(readBytes(programFile()).startsWith("12.5,"));
    const SettingsFile::LoadResult loaded = SettingsFile(folders()).load();
    EXPECT_TRUE(loaded.readable);
    EXPECT_EQ(loaded.settings.measurement, stored.measurement);
    EXPECT_EQ(loaded.settings.DataDirectory, stored.DataDirectory);
}

TEST_F(SettingsFileTest, EmptyFileReadsAsZerosNotDefaults) {
    writeBytes(programFile(), {});
    const SettingsFile::LoadResult loaded = SettingsFile(folders()).load();
    EXPECT_TRUE(loaded.readable);
    EXPECT_EQ(loaded.settings.measurement, (MeasurementSettings{0.0F, 0, 0, 0.0F, 0, 0, 0, 0}));
    EXPECT_TRUE(loaded.settings.DataDirectory.isEmpty());
}

TEST_F(SettingsFileTest, OnlyLinePositionGivesMeaning) {
    QStringList lines = savedLines();
    // Labels swapped: nothing changes.
    QStringList swappedLabels = lines;
    swappedLabels[4] = QStringLiteral("1,") + lines[5].section(u',', -1);
    swappedLabels[5] = QStringLiteral("0,") + lines[4].section(u',', -1);
    writeBytes(programFile(), crlfLines(swappedLabels));
    EXPECT_EQ(SettingsFile(folders()).load().settings.measurement, kDefaults);

    // Lines swapped: the values follow their new positions.
    lines.swapItemsAt(4, 5);
    writeBytes(programFile(), crlfLines(lines));
    const SettingsFile::LoadResult loaded = SettingsFile(folders()).load();
    EXPECT_TRUE(loaded.readable);
    EXPECT_EQ(loaded.settings.measurement.OcclusionLevel, 0);
    EXPECT_EQ(loaded.settings.measurement.WriteMode, 1);
}

TEST_F(SettingsFileTest, ValuesThatCannotBeKeptGiveDefaults) {
    const QStringList good = savedLines();
    const std::pair<int, const char*> badValues[] = {{4, "3"},     {4, "-1"},      {5, "2"},     {6, "5"},
                                                     {1, "40000"}, {7, "-40000"},  {0, "1e999"}, {0, "nan"},
                                                     {3, "inf"},   {2, "1e999"}};
    for (const auto& [line, value] : badValues) {
        QStringList lines = good;
        lines[line] = QString::fromLatin1(value) + lines[line].mid(lines[line].indexOf(u','));
        writeBytes(programFile(), crlfLines(lines));
        const SettingsFile::LoadResult loaded = SettingsFile(folders()).load();
        EXPECT_FALSE(loaded.readable) << "line " << line << " = " << value;
        EXPECT_EQ(loaded.settings.measurement, kDefaults) << "line " << line << " = " << value;
    }

    QStringList longest = good;
    while (longest.size() < kValueLabelLines) longest.append(QStringLiteral("0,spare"));
    writeBytes(programFile(), crlfLines(longest));
    EXPECT_TRUE(SettingsFile(folders()).load().readable);
    longest.append(QStringLiteral("0,spare"));
    writeBytes(programFile(), crlfLines(longest));
    EXPECT_FALSE(SettingsFile(folders()).load().readable);

    writeBytes(programFile(), crlfLines(good) + QByteArray("\x82\xFF,\x85\x40\r\n"));
    EXPECT_FALSE(SettingsFile(folders()).load().readable);
}

TEST_F(SettingsFileTest, ReadOnlyProgramFolderSendsFileToConfigFolder) {
    if (runningAsRoot()) GTEST_SKIP() << "root writes into read-only folders";
    ASSERT_TRUE(QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner));
    SettingsFile file(folders());
    ASSERT_TRUE(file.save({{12.5F, 0, 0, 67.0F, 1, 0, 0, 0}, QStringLiteral("D:\\")}));
    EXPECT_TRUE(IsFileAbsent(programFile()));
    EXPECT_FALSE(IsFileAbsent(configFile()));
    EXPECT_FLOAT_EQ(SettingsFile(folders()).load().settings.measurement.FlowRate, 12.5F);
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(SettingsFileTest, ProgramFolderThatRefusesTheWriteLosesTheFileForGood) {
    // The folder looks writable, yet the file cannot be made there (as in a protected folder
    // whose permissions the platform does not report).
    ASSERT_TRUE(QDir(program.path()).mkdir(kSettingsFileName));
    SettingsFile file(folders());
    ASSERT_TRUE(file.save({{12.5F, 0, 0, 67.0F, 1, 0, 0, 0}, QStringLiteral("D:\\")}));
    EXPECT_FALSE(IsFileAbsent(configFile()));
    EXPECT_EQ(file.path(), configFile());
    EXPECT_TRUE(file.load().readable);

    // The next start must find it there instead of starting over with the defaults.
    const SettingsFile::LoadResult nextStart = SettingsFile(folders()).load();
    EXPECT_TRUE(nextStart.readable);
    EXPECT_FLOAT_EQ(nextStart.settings.measurement.FlowRate, 12.5F);
}

TEST_F(SettingsFileTest, SaveFailsWhenNoFolderTakesTheFile) {
    const QString plainFile = documents.filePath(QStringLiteral("plain.txt"));
    writeBytes(plainFile, "x");
    for (const QString& configFolder : {QString(), plainFile + QStringLiteral("/torbex")}) {
        SettingsFile file({QString(), configFolder, documents.path()});
        EXPECT_FALSE(file.save(file.defaults())) << configFolder.toStdString();
        EXPECT_FALSE(file.load().readable);
    }
}

TEST(TextFiles, FailedWriteKeepsTheOldFileWhole) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("values.ini"));
    writeBytes(path, "old,file\r\n");
    // Hangul has no code in the code page.
    EXPECT_EQ(WriteValueLabelFile(path, 1, {QStringLiteral("한")}, {QStringLiteral("label")}), -1);
    EXPECT_EQ(readBytes(path), QByteArray("old,file\r\n"));

    if (runningAsRoot()) GTEST_SKIP() << "root writes into read-only folders";
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
    EXPECT_EQ(WriteValueLabelFile(path, 1, {QStringLiteral("new")}, {QStringLiteral("label")}), -1);
    EXPECT_EQ(readBytes(path), QByteArray("old,file\r\n"));
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(TextFiles, PathHelpers) {
    const std::pair<const char*, const char*> strips[] = {
        {"C:\\", "C:"}, {"C:\\\\", "C:\\"}, {"C:\\data", "C:\\data"}, {"/tmp/", "/tmp"}, {"", ""}};
    for (const auto& [path, stripped] : strips)
        EXPECT_EQ(StripTrailingBackslash(QString::fromLatin1(path)), QString::fromLatin1(stripped)) << path;

    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("present.txt"));
    writeBytes(file, "x");
    EXPECT_TRUE(IsFileAbsent(folder.filePath(QStringLiteral("missing.txt"))));
    EXPECT_TRUE(IsFileAbsent(folder.path()));
    EXPECT_FALSE(IsFileAbsent(file));
}

}  // namespace
}  // namespace torbex::app
