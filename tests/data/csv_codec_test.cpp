// The data file: its bytes, what reads back, and that a failure never leaves half a result.
#include <gtest/gtest.h>

#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>

#include "data/csv_codec.h"
#include "data/record_reply.h"

namespace torbex::data {
namespace {

const QByteArray kHeading =
    "\xBC\xD8\xDD\xBC\xDE\xCE\xDF\xDD\xCC\xDF" "RFID, \x8A\xC7\x97\x9D\x94\xD4\x8D\x86, ";
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

// All ten fields, for readable failure messages.
std::string dump(const MeasurementRecord& r) {
    return QStringList{r.StatusFlags.text(), r.PumpRfid.text(), r.ManagementNo.text(), r.MeasureDate.text(),
                       r.MeasureTime.text(), r.FlowSetting.text(), r.FlowResult.text(), r.OcclusionSetting.text(),
                       r.OcclusionValue.text(), r.OcclusionResult.text()}
        .join(u'|')
        .toStdString();
}

// Accepts `budget` bytes, then refuses.
class FailingDevice final : public QIODevice {
public:
    explicit FailingDevice(qint64 budget) : m_budget(budget) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    QByteArray written;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        const qint64 taken = std::min(size, m_budget - written.size());
        if (taken <= 0) return -1;
        written.append(data, taken);
        return taken;
    }

private:
    qint64 m_budget;
};

class CsvCodecTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QByteArray contents(const QString& file) const {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QString writeBytes(const QByteArray& bytes, const char* name = "in.csv") const {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    static QByteArray headingLine() {
        RecordStore empty;
        FailingDevice device(1 << 20);
        EXPECT_TRUE(writeCsv(device, empty));
        return device.written;
    }
    // A store whose first three slots hold distinct records.
    static void preFill(RecordStore& store) {
        for (int i = 0; i < 3; ++i) {
            store.slot(i) = example();
            store.slot(i).ManagementNo = QStringLiteral("OLD%1").arg(i);
        }
        store.RecordCount = 3;
    }
    static void expectPreFilled(const RecordStore& store, const std::string& why) {
        RecordStore expected;
        preFill(expected);
        EXPECT_EQ(store.RecordCount, 3) << why;
        for (int i = 0; i < 4; ++i) EXPECT_EQ(dump(store.slot(i)), dump(expected.slot(i))) << why << " slot " << i;
    }

    QTemporaryDir dir;
    RecordStore store;
};

TEST_F(CsvCodecTest, WorkedExampleIsWrittenByteForByteInCodePage932) {
    store.slot(0) = example();
    store.RecordCount = 1;
    ASSERT_TRUE(WriteCsvFile(path("out.csv"), store));
    const QByteArray bytes = contents(path("out.csv"));
    EXPECT_TRUE(bytes.startsWith(kHeading)) << bytes.left(40).toHex(' ').toStdString();
    const QByteArray heading = headingLine();
    EXPECT_TRUE(heading.endsWith("\x95\xC2\x8D\xC7\x91\xAA\x92\xE8\x94\xBB\x92\xE8\r\n"));  // 閉塞測定判定
    EXPECT_EQ(heading.count(", "), 9);
    EXPECT_EQ(bytes, heading + kExampleLine);
}

TEST_F(CsvCodecTest, UnmeasuredResultsAndMissingRfidAreWrittenAsDashesAndBlanks) {
    store.slot(0) = example();
    store.slot(0).StatusFlags = QStringLiteral("0A");  // no RFID, flow not measured
    store.RecordCount = 1;
    EXPECT_EQ(csvRecordLine(store.slot(0)),
              QStringLiteral("                , A-001     , 2013/02/28, 11:20   , 150, ------, --, M,     53.2, Pass"));
    store.slot(0).StatusFlags = QStringLiteral("81");  // occlusion not measured, flow failed
    EXPECT_EQ(csvRecordLine(store.slot(0)),
              QStringLiteral("0807060504030201, A-001     , 2013/02/28, 11:20   , 150,   99.5, Fail, M, ------, --"));
}

TEST_F(CsvCodecTest, DownloadedRecordRoundTripsWithItsKnownChanges) {
    std::array<std::uint8_t, 64> reply{};
    const QByteArray fields = "1....\x01\x02\x03\x04\x05\x06\x07\x08\xBF" "1302281120..0005099510530532";
    std::copy(fields.begin(), fields.end(), reply.begin() + 3);
    store.slot(0) = recordFromReply(reply);
    store.RecordCount = 1;
    ASSERT_EQ(store.slot(0).FlowSetting.text(), QStringLiteral("  5"));
    ASSERT_TRUE(WriteCsvFile(path("rt.csv"), store));

    RecordStore back;
    ASSERT_TRUE(ReadCsvFile(path("rt.csv"), back));
    ASSERT_EQ(back.RecordCount, 1);
    const MeasurementRecord& r = back.slot(0);
    EXPECT_EQ(r.StatusFlags.text(), QStringLiteral("8F"));  // error bits are not in the file
    EXPECT_EQ(r.PumpRfid.text(), QStringLiteral("0807060504030201"));
    EXPECT_EQ(r.MeasureDate.text(), QStringLiteral("2013/02/28"));
    EXPECT_EQ(r.MeasureTime.text(), QStringLiteral("11:20   "));
    EXPECT_EQ(r.FlowSetting.text(), QStringLiteral("5  "));
    EXPECT_EQ(r.FlowResult.text(), QStringLiteral("  99.5"));
    EXPECT_EQ(r.OcclusionSetting.text(), QStringLiteral("M"));
    EXPECT_EQ(r.OcclusionResult.text(), QStringLiteral("53.2    "));
}

TEST_F(CsvCodecTest, LineLayoutsReadAsExpected) {
    const QByteArray head = headingLine();
    // Blank lines are skipped; LF-only files read; a lone comma is a record measured and failed.
    ASSERT_TRUE(ReadCsvFile(writeBytes(head + "\r\n" + kExampleLine + "\r\n\r\n" + kExampleLine), store));
    EXPECT_EQ(store.RecordCount, 2);
    EXPECT_EQ(store.slot(1).ManagementNo.text(), QStringLiteral("A-001     "));
    QByteArray lfOnly = head + kExampleLine + kExampleLine;
    lfOnly.replace("\r\n", "\n");
    ASSERT_TRUE(ReadCsvFile(writeBytes(lfOnly), store));
    EXPECT_EQ(store.RecordCount, 2);
    EXPECT_EQ(store.slot(1).OcclusionResult.text(), QStringLiteral("53.2    "));
    ASSERT_TRUE(ReadCsvFile(writeBytes(head + ",\r\n"), store));
    ASSERT_EQ(store.RecordCount, 1);
    EXPECT_EQ(store.slot(0).StatusFlags.text(), QStringLiteral("03"));
    // The heading alone is an empty file of records.
    ASSERT_TRUE(WriteCsvFile(path("empty.csv"), RecordStore{}));
    EXPECT_EQ(contents(path("empty.csv")), head);
    ASSERT_TRUE(ReadCsvFile(path("empty.csv"), store));
    EXPECT_EQ(store.RecordCount, 0);
}

TEST_F(CsvCodecTest, SplitAcceptsTwentyOneFieldsAndRefusesTwentyTwo) {
    EXPECT_EQ(SplitCsvLine(QString(20, u',') + u'x')->size(), 21);
    EXPECT_EQ(SplitCsvLine(QString(21, u','))->size(), 21);
    EXPECT_EQ(SplitCsvLine(QStringLiteral("a, b"))->at(1), QStringLiteral(" b"));
    EXPECT_FALSE(SplitCsvLine(QString(21, u',') + u'x'));
    EXPECT_FALSE(SplitCsvLine(QString(22, u',')));
}

TEST_F(CsvCodecTest, FullStoreRoundTripsAndOneRecordMoreIsRefused) {
    // Fields as a read gives them back, so that the round trip is exact.
    for (int i = 0; i < RecordStore::kSlots; ++i) {
        store.slot(i) = example();
        store.slot(i).ManagementNo = QString::number(i);
        store.slot(i).OcclusionResult = QStringLiteral("53.2");
    }
    store.RecordCount = RecordStore::kSlots;
    ASSERT_TRUE(WriteCsvFile(path("full.csv"), store));
    RecordStore back;
    ASSERT_TRUE(ReadCsvFile(path("full.csv"), back));
    ASSERT_EQ(back.RecordCount, RecordStore::kSlots);
    for (int i = 0; i < RecordStore::kSlots; ++i) ASSERT_EQ(dump(back.slot(i)), dump(store.slot(i))) << i;

    RecordStore untouched;
    preFill(untouched);
    EXPECT_FALSE(ReadCsvFile(writeBytes(contents(path("full.csv")) + kExampleLine), untouched));
    expectPreFilled(untouched, "10002 records");
}

TEST_F(CsvCodecTest, AnyReadErrorLeavesTheStoreUntouched) {
    const QByteArray good = headingLine() + kExampleLine;
    const struct {
        const char* why;
        QByteArray bytes;
    } cases[] = {
        {"empty file", QByteArray()},
        {"22 fields after good lines", good + kExampleLine + QByteArray(21, ',') + "x\r\n"},
        {"not code page 932", good + "\x81\x7F\r\n"},
    };
    for (const auto& c : cases) {
        preFill(store);
        EXPECT_FALSE(ReadCsvFile(writeBytes(c.bytes), store)) << c.why;
        expectPreFilled(store, c.why);
    }
    preFill(store);
    EXPECT_FALSE(ReadCsvFile(path("absent.csv"), store));
    expectPreFilled(store, "missing file");
}

TEST_F(CsvCodecTest, FailedWriteReportsFalseAndKeepsTheOldFile) {
    store.slot(0) = example();
    store.RecordCount = 1;
    EXPECT_FALSE(WriteCsvFile(path("no-such-folder/out.csv"), store));
    EXPECT_FALSE(WriteCsvFile(dir.path(), store));

    const QString existing = writeBytes("old contents\r\n", "old.csv");
    for (const QString& unencodable : {QStringLiteral("\U0001F600"), QStringLiteral("caf\u00E9")}) {
        store.slot(0).ManagementNo = unencodable;
        EXPECT_FALSE(WriteCsvFile(existing, store)) << unencodable.toStdString();
        EXPECT_EQ(contents(existing), QByteArray("old contents\r\n"));
    }
}

TEST_F(CsvCodecTest, DeviceThatStopsTakingBytesFailsTheWrite) {
    store.slot(0) = example();
    store.RecordCount = 1;
    const qsizetype size = headingLine().size() + kExampleLine.size();
    for (const qint64 budget : {qint64{0}, qint64{10}, qint64{size - 1}}) {
        FailingDevice device(budget);
        EXPECT_FALSE(writeCsv(device, store)) << budget;
    }
    FailingDevice roomy(size);
    EXPECT_TRUE(writeCsv(roomy, store));
    EXPECT_EQ(roomy.written, headingLine() + kExampleLine);
}

}  // namespace
}  // namespace torbex::data
