// The data file: its bytes, what reads back, and that a failed read never leaves half a result.
// Devices cut short and old files kept whole are in crash_safety_test.cpp.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "data/cp932.h"
#include "data/csv_codec.h"

namespace torbex::data {
namespace {

const QByteArray kExampleLine =
    "0807060504030201, A-001     , 2013/02/28, 11:20   , 150,   99.5, Pass, M,     53.2, Pass\r\n";

MeasurementRecord example() {
    MeasurementRecord r;
    r.StatusFlags = QStringLiteral("8F");
    r.PumpRfid = QStringLiteral("0807060504030201");
    r.ManagementNo = QStringLiteral("A-001");
    r.MeasureDate = QStringLiteral("2013/02/28");
    r.MeasureTime = QStringLiteral("11:20");
    r.FlowSetting = QStringLiteral("150");
    r.FlowResult = QStringLiteral("  99.5");
    r.OcclusionSetting = QStringLiteral("M");
    r.OcclusionResult = QStringLiteral("    53.2");
    return r;
}

// The example as a read gives it back: text fields are trimmed.
MeasurementRecord readBack() {
    MeasurementRecord r = example();
    r.OcclusionResult = QStringLiteral("53.2");
    return r;
}

class CsvCodecTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    static QByteArray contents(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QString writeBytes(const QByteArray& bytes, const char* name = "in.csv") const {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        return f.fileName();
    }
    QByteArray headingLine() {
        EXPECT_TRUE(WriteCsvFile(path("empty.csv"), RecordStore{}));
        return contents(path("empty.csv"));
    }

    QTemporaryDir dir;
    RecordStore store;
};

TEST_F(CsvCodecTest, WritesTheWorkedExampleByteForByteInCodePage932) {
    const QByteArray heading = headingLine();
    EXPECT_TRUE(heading.startsWith("\xBC\xD8\xDD\xBC\xDE\xCE\xDF\xDD\xCC\xDF"  // half-width katakana
                                   "RFID, \x8A\xC7\x97\x9D\x94\xD4\x8D\x86, "))  // 管理番号
        << heading.toHex(' ').toStdString();
    EXPECT_EQ(heading, encodeCp932(QStringLiteral("ｼﾘﾝｼﾞﾎﾟﾝﾌﾟRFID, 管理番号, 測定日, 測定時刻, 流量設定(ml/h), 流量測定結果(%), "
                                                  "流量測定判定, 閉塞設定, 閉塞測定結果(kpa), 閉塞測定判定\r\n")));

    store.slot(0) = example();
    store.RecordCount = 1;
    ASSERT_TRUE(WriteCsvFile(path("out.csv"), store));
    EXPECT_EQ(contents(path("out.csv")), heading + kExampleLine);
    EXPECT_FALSE(WriteCsvFile(path("no-such-folder/out.csv"), store));
    EXPECT_FALSE(WriteCsvFile(dir.path(), store));

    // Results not measured are dashes; without an RFID its column is blank.
    MeasurementRecord r = example();
    r.StatusFlags = QStringLiteral("0A");  // no RFID, flow not measured
    EXPECT_EQ(csvRecordLine(r),
              QStringLiteral("                , A-001     , 2013/02/28, 11:20   , 150, ------, --, M,     53.2, Pass"));
    r.StatusFlags = QStringLiteral("81");  // occlusion not measured, flow failed
    EXPECT_EQ(csvRecordLine(r),
              QStringLiteral("0807060504030201, A-001     , 2013/02/28, 11:20   , 150,   99.5, Fail, M, ------, --"));
}

TEST_F(CsvCodecTest, BlankLinesLfOnlyLinesAndUpToTwentyOneFieldsRead) {
    const QByteArray head = headingLine();
    QByteArray lfOnly = head + kExampleLine + kExampleLine;
    lfOnly.replace("\r\n", "\n");
    MeasurementRecord failed;  // measured and failed, all else blank
    failed.StatusFlags = QStringLiteral("03");
    const std::tuple<QByteArray, int, MeasurementRecord> cases[] = {
        {head, 0, {}},
        {head + "\r\n" + kExampleLine + "\r\n\r\n" + kExampleLine, 2, readBack()},
        {lfOnly, 2, readBack()},
        // A lone comma, 21 fields, and 21 with nothing after the last comma nor a line end.
        {head + ",\r\n" + QByteArray(20, ',') + "x\r\n" + QByteArray(21, ','), 3, failed},
    };
    for (const auto& [bytes, records, each] : cases) {
        ASSERT_TRUE(ReadCsvFile(writeBytes(bytes), store)) << bytes.toStdString();
        ASSERT_EQ(store.RecordCount, records) << bytes.toStdString();
        for (int i = 0; i < records; ++i)
            EXPECT_TRUE(store.slot(i) == each) << csvRecordLine(store.slot(i)).toStdString();
    }
}

TEST_F(CsvCodecTest, FullStoreRoundTrips) {
    for (int i = 0; i < RecordStore::kSlots; ++i) {
        store.slot(i) = readBack();
        store.slot(i).ManagementNo = QString::number(i);
    }
    store.RecordCount = RecordStore::kSlots;
    ASSERT_TRUE(WriteCsvFile(path("full.csv"), store));
    RecordStore back;
    ASSERT_TRUE(ReadCsvFile(path("full.csv"), back));
    ASSERT_EQ(back.RecordCount, RecordStore::kSlots);
    for (int i = 0; i < RecordStore::kSlots; ++i) ASSERT_TRUE(back.slot(i) == store.slot(i)) << i;
}

TEST_F(CsvCodecTest, AnyReadErrorLeavesTheStoreUntouched) {
    const QByteArray good = headingLine() + kExampleLine;
    const std::pair<const char*, QString> cases[] = {
        {"empty file", writeBytes({})},
        {"22 fields after good lines", writeBytes(good + kExampleLine + QByteArray(21, ',') + "x\r\n", "22.csv")},
        {"22 empty fields", writeBytes(good + QByteArray(22, ','), "22e.csv")},
        {"not code page 932", writeBytes(good + "\x81\x7F\r\n", "bad.csv")},
        {"missing file", path("absent.csv")},
        {"a folder", dir.path()},
        {"10002 records", writeBytes(good + kExampleLine.repeated(RecordStore::kSlots), "10002.csv")},
    };
    // Three records and a stale slot, to be left alone.
    for (int i = 0; i < 4; ++i) store.slot(i).ManagementNo = QString::number(i);
    store.RecordCount = 3;
    for (const auto& [why, file] : cases) {
        EXPECT_FALSE(ReadCsvFile(file, store)) << why;
        EXPECT_EQ(store.RecordCount, 3) << why;
        for (int i = 0; i < 4; ++i) EXPECT_EQ(store.slot(i).ManagementNo.text().trimmed(), QString::number(i)) << why;
    }
}

}  // namespace
}  // namespace torbex::data
