// Writers that are cut short: a device that stops taking bytes part way must fail the write, and
// a write that cannot be completed must leave the file that was there byte for byte.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "app/text_files.h"
#include "data/csv_codec.h"

namespace torbex::app {
namespace {

// Takes `capacity` bytes, then refuses every further byte.
class ShortDevice final : public QIODevice {
public:
    explicit ShortDevice(qint64 capacity) : m_capacity(capacity) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    QByteArray taken;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        const qint64 room = std::min(size, m_capacity - taken.size());
        if (room <= 0) return -1;
        taken.append(data, room);
        return room;
    }

private:
    qint64 m_capacity;
};

data::RecordStore fullStore() {
    data::RecordStore store;
    for (int i = 0; i < data::RecordStore::kSlots; ++i) store.slot(i).ManagementNo = QStringLiteral("番号%1").arg(i);
    store.RecordCount = data::RecordStore::kSlots;
    return store;
}

// Nine value/label lines, as Setting.ini holds them.
const QStringList kLabels(9, QStringLiteral("[00] 測定設定"));
const QStringList kValues = QStringList(8, QStringLiteral("70")) << QStringLiteral("/home/検査/データ");

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST(CrashSafety, WritersFailWhereverTheDeviceStopsTakingBytes) {
    const data::RecordStore store = fullStore();
    using Writer = std::function<bool(QIODevice&)>;
    const Writer writers[] = {[&store](QIODevice& d) { return data::writeCsv(d, store); },
                              [](QIODevice& d) { return writeValueLabels(d, 9, kValues, kLabels); }};
    for (const Writer& write : writers) {
        QBuffer whole;
        whole.open(QIODevice::WriteOnly);
        ASSERT_TRUE(write(whole));
        const qint64 size = whole.data().size();
        for (const qint64 capacity : {qint64{0}, qint64{1}, size / 2, size - 1, size, size + 1}) {
            ShortDevice device(capacity);
            EXPECT_EQ(write(device), capacity >= size) << capacity << " of " << size;
            if (capacity >= size) { EXPECT_EQ(device.taken, whole.data()); }
        }
    }
}

TEST(CrashSafety, WriteThatCannotCompleteLeavesTheOldFileByteForByte) {
    QTemporaryDir folder;
    const QString dataFile = folder.filePath(QStringLiteral("records.csv"));
    const QString settingsFile = folder.filePath(QStringLiteral("Setting.ini"));
    ASSERT_TRUE(data::WriteCsvFile(dataFile, fullStore()));
    ASSERT_EQ(WriteValueLabelFile(settingsFile, 9, kValues, kLabels), 0);
    const QByteArray oldData = fileBytes(dataFile), oldSettings = fileBytes(settingsFile);

    // The last record and the last line carry what the code page cannot hold, so everything
    // before them would have been written by a writer that streams.
    data::RecordStore store;
    store.RecordCount = 2;
    QStringList values = kValues;
    for (const QString& unencodable : {QStringLiteral("caf\u00E9"), QStringLiteral("\U0001F600")}) {
        store.slot(1).ManagementNo = values[8] = unencodable;
        EXPECT_FALSE(data::WriteCsvFile(dataFile, store));
        EXPECT_EQ(WriteValueLabelFile(settingsFile, 9, values, kLabels), -1);
        EXPECT_EQ(fileBytes(dataFile), oldData);
        EXPECT_EQ(fileBytes(settingsFile), oldSettings);
    }
}

}  // namespace
}  // namespace torbex::app
