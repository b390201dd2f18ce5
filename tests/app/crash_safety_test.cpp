// Writers that cannot complete: the file that was there stays byte for byte, and the failure is
// reported with its reason. A real file-size limit stands in for a full disk, because QSaveFile
// buffers small writes and a fake device cannot show whether the real writer ever sees the error.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "app/settings_file.h"
#include "app/text_files.h"
#include "data/csv_codec.h"
#include "support/file_size_limit.h"

namespace torbex::app {
namespace {

data::RecordStore storeOf(int records) {
    data::RecordStore store;
    for (int i = 0; i < records; ++i) store.slot(i).ManagementNo = QStringLiteral("番号%1").arg(i);
    store.RecordCount = static_cast<std::int16_t>(records);
    return store;
}

// Value/label lines, as Setting.ini holds them; a long folder name makes a large file.
QStringList values(int folderLength) {
    return QStringList(8, QStringLiteral("70")) << QStringLiteral("/home/検査/") + QString(folderLength, u'd');
}
const QStringList kLabels(9, QStringLiteral("[00] 測定設定"));

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Every writer, with files below and above QSaveFile's 16 KiB buffer, on a disk that fills up
// after `limit` bytes of the new file.
TEST(CrashSafety, FullDiskFailsEveryWriterAndKeepsTheOldFileByteForByte) {
    using Writer = std::function<bool(const QString& path)>;
    const struct { const char* name; long limit; Writer write; } writers[] = {
        {"small data file", 200, [](const QString& p) { return !data::WriteCsvFile(p, storeOf(3)).ok(); }},
        {"large data file", 4096,
         [](const QString& p) {
             const data::FileOutcome written = data::WriteCsvFile(p, storeOf(data::RecordStore::kSlots));
             return !written.ok() && written.error.contains(QStringLiteral("too large"), Qt::CaseInsensitive);
         }},
        {"small settings file", 64, [](const QString& p) { return WriteValueLabelFile(p, 9, values(8), kLabels) == -1; }},
        {"large settings file", 4096,
         [](const QString& p) { return WriteValueLabelFile(p, 9, values(40000), kLabels) == -1; }},
    };
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("file"));
    const QByteArray old = "the old file\r\n";
    for (const auto& writer : writers) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(old) == old.size());
        file.close();
        EXPECT_TRUE(testing::underFileSizeLimit(writer.limit, [&] { return writer.write(path); })) << writer.name;
        EXPECT_EQ(fileBytes(path), old) << writer.name;
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("file")}) << writer.name;
    }
}

TEST(CrashSafety, SettingsThatCannotBeSavedAnywhereFailTheSave) {
    QTemporaryDir program, config;
    SettingsFile file({program.path(), config.path(), QString()});
    ASSERT_TRUE(file.save(file.defaults()));
    const QByteArray old = fileBytes(file.path());
    EXPECT_TRUE(testing::underFileSizeLimit(64, [&] { return !file.save(file.defaults()); }));
    EXPECT_EQ(fileBytes(file.path()), old);
}

TEST(CrashSafety, TextTheCodePageCannotHoldIsNeverHalfWritten) {
    QTemporaryDir folder;
    const QString dataFile = folder.filePath(QStringLiteral("records.csv"));
    const QString settingsFile = folder.filePath(QStringLiteral("Setting.ini"));
    ASSERT_TRUE(data::WriteCsvFile(dataFile, storeOf(data::RecordStore::kSlots)));
    ASSERT_EQ(WriteValueLabelFile(settingsFile, 9, values(8), kLabels), 0);
    const QByteArray oldData = fileBytes(dataFile), oldSettings = fileBytes(settingsFile);

    // The last record and the last line carry what the code page cannot hold, so everything
    // before them would have been written by a writer that streams.
    data::RecordStore store = storeOf(2);
    QStringList unencodable = values(8);
    for (const QString& text : {QStringLiteral("caf\u00E9"), QStringLiteral("\U0001F600")}) {
        store.slot(1).ManagementNo = unencodable[8] = text;
        EXPECT_FALSE(data::WriteCsvFile(dataFile, store));
        EXPECT_EQ(WriteValueLabelFile(settingsFile, 9, unencodable, kLabels), -1);
        EXPECT_EQ(fileBytes(dataFile), oldData);
        EXPECT_EQ(fileBytes(settingsFile), oldSettings);
    }
}

}  // namespace
}  // namespace torbex::app
