// The data file's bytes, what reads back from them, and that a read gives every record or none.
#include <gtest/gtest.h>

#include "data/cp932.h"
#include "data/csv_format.h"
#include "data/record_from_reply.h"
#include "data/record_store.h"

namespace torbex::data {
namespace {

const QByteArray kLine = "0807060504030201, A-001     , 2013/02/28, 11:20   , 150,   99.5, Pass, M,     53.2, Pass\r\n";

QByteArray heading() { return csvBytes({}).value_or("<none>"); }

MeasurementRecord example(std::uint8_t status) {
    MeasurementRecord r = recordFromReply(
        {{8, 7, 6, 5, 4, 3, 2, 1}, status, {'1', '3', '0', '2', '2', '8'}, {'1', '1', '2', '0'}, 150, 995, '1', 53, 532});
    r.ManagementNo = QStringLiteral("A-001");
    return r;
}

// "Pass" beside an error stays "Pass"; reading rebuilds the status from the columns, less the error bits.
TEST(CsvFormat, WorkedExampleNotByteForByteOrJudgementAndStatusWrong) {
    const MeasurementRecord record = example(0x8F);
    const QString text = QStringLiteral("ｼﾘﾝｼﾞﾎﾟﾝﾌﾟRFID, 管理番号, 測定日, 測定時刻, 流量設定(ml/h), 流量測定結果(%), "
                                        "流量測定判定, 閉塞設定, 閉塞測定結果(kpa), 閉塞測定判定\r\n");
    EXPECT_EQ(csvBytes(std::span(&record, 1)), encodeCp932(text + QString::fromLatin1(kLine)));
    const std::tuple<std::uint8_t, const char*, std::uint8_t> cases[] = {
        {0x0A, "                , A-001     , 2013/02/28, 11:20   , 150, ------, --, M,     53.2, Pass", 0x0A},
        {0x81, "0807060504030201, A-001     , 2013/02/28, 11:20   , 150,   99.5, Fail, M, ------, --", 0x81},
        {0x3F, "                , A-001     , 2013/02/28, 11:20   , 150,   99.5, Pass, M,     53.2, Pass", 0x0F},
    };
    for (const auto& [status, line, readStatus] : cases) {
        EXPECT_EQ(csvRecordLine(example(status)).toStdString(), line);
        const auto back = parseCsv(heading() + line);
        ASSERT_TRUE(back && back->size() == 1U) << line;
        EXPECT_EQ(int{back->front().status}, int{readStatus}) << line;
    }
}

// A file that is no data file as a whole gives no records at all (count -1).
TEST(CsvFormat, FileMisreadOrReadInPart) {
    MeasurementRecord blank, readBack = example(0x8F);  // a line of empty fields: measured and failed
    blank.status = FlowMeasured | OcclusionMeasured;
    readBack.OcclusionResult = QStringLiteral("53.2");  // not right-aligned again
    readBack.OcclusionValue = QString();                // not in the file
    const std::tuple<QByteArray, int, MeasurementRecord> cases[] = {
        {heading(), 0, {}},
        {heading() + "\r\n" + kLine + "\r\n\n\r" + kLine, 2, readBack},
        {QByteArray(heading() + kLine + kLine).replace("\r\n", "\n"), 2, readBack},
        {QByteArray(heading() + kLine + kLine).replace("\r\n", "\r"), 2, readBack},
        // A lone comma, 21 fields, and 21 with nothing after the last comma nor a line end.
        {heading() + ",\r\n" + QByteArray(20, ',') + "x\r\n" + QByteArray(21, ','), 3, blank},
        {heading() + kLine.repeated(RecordStore::kCapacity), RecordStore::kCapacity, readBack},
        {QByteArray(), -1, {}},
        {heading() + kLine + QByteArray(21, ',') + "x\r\n", -1, {}},  // 22 fields
        {heading() + kLine + QByteArray(22, ','), -1, {}},
        {heading() + kLine + "\x81\x7F\r\n", -1, {}},  // not code page 932
        {heading() + kLine.repeated(RecordStore::kCapacity + 1), -1, {}},
    };
    for (const auto& [bytes, count, each] : cases) {
        const auto records = parseCsv(bytes);
        ASSERT_EQ(records ? int(records->size()) : -1, count) << bytes.left(300).toStdString();
        for (const MeasurementRecord& r : records.value_or(std::vector<MeasurementRecord>{}))
            ASSERT_TRUE(r == each) << csvRecordLine(r).toStdString();
    }
}

}  // namespace
}  // namespace torbex::data
