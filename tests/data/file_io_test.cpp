// Files read or replaced, against the real thing: a file-size limit for a full disk (QSaveFile buffers
// small writes: only the real writer shows the error is seen), FIFOs, devices and a sparse file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "data/csv_format.h"
#include "data/record_store.h"
#include "support/file_size_limit.h"

namespace torbex::data {
namespace {

// Files below and above QSaveFile's 16 KiB buffer, on a disk that is full after `limit` bytes.
TEST(WriteFile, FailedWriteDamagesTheOldFileOrHidesWhy) {
    std::vector<MeasurementRecord> few(3), many(RecordStore::kCapacity), unencodable(2);
    unencodable[1].ManagementNo = QStringLiteral("caf\u00E9");
    const std::tuple<const std::vector<MeasurementRecord>&, long, const char*> cases[] = {
        {few, 200, "File too large"}, {many, 4096, "File too large"}, {unencodable, 1L << 30, "932"}, {many, 1L << 30, ""}};
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("records.csv"));
    for (const auto& [records, limit, error] : cases) {
        ASSERT_TRUE(writeFileAtomically(path, "old"));
        EXPECT_TRUE(testing::underFileSizeLimit(limit, [&] {
            const FileOutcome written = CsvWriter().writeFile(path, records);
            return *error ? written.error.contains(QLatin1String(error)) : written.ok();
        })) << records.size() << " records, " << limit << " bytes";
        EXPECT_EQ(readRegularFile(path, kMaxDataFileBytes).bytes, *error ? QByteArray("old") : *csvBytes(records)) << limit;
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("records.csv")}) << limit;
    }
}

TEST(FileIo, WrongFileHangsTheReadFillsMemoryOrIsReplaced) {
    QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("fifo")), exact = folder.filePath(QStringLiteral("exact")),
                  sparse = folder.filePath(QStringLiteral("huge.csv"));
    ASSERT_EQ(std::tuple(mkfifo(QFile::encodeName(fifo).constData(), 0600), writeFileAtomically(exact, "12345").error), std::tuple(0, QString()));
    ASSERT_EQ((std::tuple{writeFileAtomically(sparse, {}).error, truncate(QFile::encodeName(sparse).constData(), 40LL << 30)}), std::tuple(QString(), 0));
    const std::tuple<QString, qint64, const char*> cases[] = {
        {fifo, kMaxDataFileBytes, "not a regular file"}, {exact, 4, "too large"}, {exact, 5, ""},
        {QStringLiteral("/dev/zero"), kMaxDataFileBytes, "not a regular file"},
        {folder.path(), kMaxDataFileBytes, "not a regular file"}, {sparse, kMaxDataFileBytes, "too large"},
        {folder.filePath(QStringLiteral("absent")), kMaxDataFileBytes, "No such file or directory"},
        {QStringLiteral("/proc/self/status"), 10, "too large"},  // its size says 0: the cap holds while reading
    };
    for (const auto& [path, maxBytes, reason] : cases) {
        const FileBytes read = readRegularFile(path, maxBytes);
        EXPECT_EQ(read.error.toStdString(), reason) << path.toStdString() << " " << maxBytes;
        EXPECT_EQ(read.bytes, *reason ? QByteArray() : QByteArray("12345")) << path.toStdString();
    }
    for (const QString& target : {fifo, folder.path()})
        EXPECT_EQ(writeFileAtomically(target, "x").error.toStdString(), "not a regular file") << target.toStdString();
    EXPECT_EQ(std::tuple(QFileInfo(fifo).exists(), QFileInfo(fifo).isFile()), std::tuple(true, false));
}

}  // namespace
}  // namespace torbex::data
