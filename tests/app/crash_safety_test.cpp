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
    for (int i = 0; i < data::RecordStore::kSlots; ++i) {
        data::MeasurementRecord& r = store.slot(i);
        r.StatusFlags = QStringLiteral("8F");
        r.PumpRfid = QStringLiteral("%1").arg(i, 16, 16, QLatin1Char('0')).toUpper();
        r.ManagementNo = QStringLiteral("番号%1").arg(i);
        r.MeasureDate = QStringLiteral("2024/03/05");
        r.MeasureTime = QStringLiteral("09:07");
        r.FlowSetting = QStringLiteral("%1").arg(5 + i % 146, 3);
        r.FlowResult = QStringLiteral("  99.5");
        r.OcclusionSetting = QStringLiteral("M");
        r.OcclusionResult = QStringLiteral("    53.2");
    }
    store.RecordCount = data::RecordStore::kSlots;
    return store;
}

const QStringList kValues{QStringLiteral("70"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("67"),
                          QStringLiteral("1"),  QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                          QStringLiteral("/home/検査/データ")};
const QStringList kLabels{QStringLiteral("[00] 流量設定(ml/h)"),  QStringLiteral("[01] 平均数(未使用)"),
                          QStringLiteral("[02] 測定数(未使用)"),   QStringLiteral("[03] 閉塞圧力(kpa)"),
                          QStringLiteral("[04] 閉塞設定(L/M/H)"),  QStringLiteral("[05] 測定データ書き込みモード"),
                          QStringLiteral("[06] RFID使用／未使用"), QStringLiteral("[07] 測定単位設定"),
                          QStringLiteral("[08] データディレクトリ")};

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST(CrashSafety, WritersFailWhereverTheDeviceStopsTakingBytes) {
    const data::RecordStore store = fullStore();
    QBuffer csv, settings;
    csv.open(QIODevice::WriteOnly);
    settings.open(QIODevice::WriteOnly);
    ASSERT_TRUE(data::writeCsv(csv, store));
    ASSERT_TRUE(writeValueLabels(settings, 9, kValues, kLabels));

    using Writer = std::function<bool(QIODevice&)>;
    const std::pair<Writer, QByteArray> writers[] = {
        {[&store](QIODevice& d) { return data::writeCsv(d, store); }, csv.data()},
        {[](QIODevice& d) { return writeValueLabels(d, 9, kValues, kLabels); }, settings.data()}};
    for (const auto& [write, whole] : writers) {
        const qint64 size = whole.size();
        for (const qint64 capacity : {qint64{0}, qint64{1}, size / 2, size - 1}) {
            ShortDevice device(capacity);
            EXPECT_FALSE(write(device)) << capacity << " of " << size;
        }
        for (const qint64 capacity : {size, size + 1}) {
            ShortDevice device(capacity);
            EXPECT_TRUE(write(device)) << capacity << " of " << size;
            EXPECT_EQ(device.taken, whole);
        }
    }
}

TEST(CrashSafety, WriteThatCannotCompleteLeavesTheOldFileByteForByte) {
    QTemporaryDir folder;
    const QString dataFile = folder.filePath(QStringLiteral("records.csv"));
    const QString settingsFile = folder.filePath(QStringLiteral("Setting.ini"));
    data::RecordStore old;
    old.slot(0).ManagementNo = QStringLiteral("OLD-1");
    old.RecordCount = 1;
    ASSERT_TRUE(data::WriteCsvFile(dataFile, old));
    ASSERT_EQ(WriteValueLabelFile(settingsFile, 9, kValues, kLabels), 0);
    const QByteArray oldData = fileBytes(dataFile);
    const QByteArray oldSettings = fileBytes(settingsFile);

    // The last record and the last line carry what the code page cannot hold, so everything
    // before them would have been written by a writer that streams.
    data::RecordStore store = fullStore();
    store.slot(data::RecordStore::kSlots - 1).ManagementNo = QStringLiteral("caf\u00E9");
    EXPECT_FALSE(data::WriteCsvFile(dataFile, store));
    QStringList values = kValues;
    values[8] = QStringLiteral("/home/\U0001F600");
    EXPECT_EQ(WriteValueLabelFile(settingsFile, 9, values, kLabels), -1);

    EXPECT_EQ(fileBytes(dataFile), oldData);
    EXPECT_EQ(fileBytes(settingsFile), oldSettings);
    data::RecordStore back;
    ASSERT_TRUE(data::ReadCsvFile(dataFile, back));
    EXPECT_EQ(back.RecordCount, 1);
}

}  // namespace
}  // namespace torbex::app
