// The data file's bytes, what reads back from them, and the stricter form an import insists on.
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

// An error outweighs the tester's pass flag in the file too: "Fail", never "Pass". Reading
// rebuilds the status from the columns, less the error bits.
TEST(CsvFormat, WorkedExampleNotByteForByteOrErrorWrittenAsPassed) {
    const MeasurementRecord record = example(0x8F);
    const QString text = QStringLiteral("ｼﾘﾝｼﾞﾎﾟﾝﾌﾟRFID, 管理番号, 測定日, 測定時刻, 流量設定(ml/h), 流量測定結果(%), "
                                        "流量測定判定, 閉塞設定, 閉塞測定結果(kpa), 閉塞測定判定\r\n");
    EXPECT_EQ(csvBytes(std::span(&record, 1)), encodeCp932(text + QString::fromLatin1(kLine)));
    const std::tuple<std::uint8_t, const char*, std::uint8_t> cases[] = {
        {0x0A, "                , A-001     , 2013/02/28, 11:20   , 150, ------, --, M,     53.2, Pass", 0x0A},
        {0x81, "0807060504030201, A-001     , 2013/02/28, 11:20   , 150,   99.5, Fail, M, ------, --", 0x81},
        {0x3F, "                , A-001     , 2013/02/28, 11:20   , 150,   99.5, Fail, M,     53.2, Fail", 0x03},
        {0x9F, "0807060504030201, A-001     , 2013/02/28, 11:20   , 150,   99.5, Fail, M,     53.2, Pass", 0x8B},
    };
    for (const auto& [status, line, readStatus] : cases) {
        EXPECT_EQ(csvRecordLine(example(status)).toStdString(), line);
        const auto back = parseCsv(heading() + line);
        ASSERT_EQ(back ? back->size() : 0U, 1U) << line;
        EXPECT_EQ(int{back->front().status}, int{readStatus}) << line;
    }
}

// A file that is no data file as a whole gives no records at all (count -1), and says why.
TEST(CsvFormat, FileMisreadOrReadInPartOrRefusedForTheWrongReason) {
    MeasurementRecord blank, readBack = example(0x8F);  // a line of empty fields: measured and failed
    blank.status = FlowMeasured | OcclusionMeasured;
    readBack.OcclusionResult = QStringLiteral("53.2");  // not right-aligned again
    readBack.OcclusionValue = QString();                // not in the file
    const std::tuple<QByteArray, int, MeasurementRecord, const char*> cases[] = {
        {heading(), 0, {}, ""},
        {heading() + "\r\n" + kLine + "\r\n\n\r" + kLine, 2, readBack, ""},
        {QByteArray(heading() + kLine + kLine).replace("\r\n", "\n"), 2, readBack, ""},
        {QByteArray(heading() + kLine + kLine).replace("\r\n", "\r"), 2, readBack, ""},
        // A lone comma, 21 fields, and 21 with nothing after the last comma nor a line end.
        {heading() + ",\r\n" + QByteArray(20, ',') + "x\r\n" + QByteArray(21, ','), 3, blank, ""},
        {heading() + kLine.repeated(RecordStore::kCapacity), RecordStore::kCapacity, readBack, ""},
        {QByteArray(), -1, {}, "empty, without a heading line"},
        {heading() + kLine + QByteArray(21, ',') + "x\r\n", -1, {}, "line 3 has more than 21 fields"},
        {heading() + kLine + QByteArray(22, ','), -1, {}, "line 3 has more than 21 fields"},
        {heading() + kLine + "\x81\x7F\r\n", -1, {}, "not text in code page 932"},
        {heading() + kLine.repeated(RecordStore::kCapacity + 1), -1, {}, "a data file holds at most 10001"},
    };
    for (const auto& [bytes, count, each, why] : cases) {
        const auto records = parseCsv(bytes);
        ASSERT_EQ(records ? int(records->size()) : -1, count) << bytes.left(300).toStdString();
        for (const MeasurementRecord& r : records.value_or(std::vector<MeasurementRecord>{}))
            ASSERT_TRUE(r == each) << csvRecordLine(r).toStdString();
        if (!records) {
            const QString said = describe(std::get<DataFileRefusal>(readDataFile(bytes)));
            EXPECT_TRUE(said.contains(QLatin1String(why))) << said.toStdString();
        }
    }
}

// Each line's values are read once, signs and leading zeros included; the texts stay as read.
TEST(CsvFormat, ValuesOfALineMisread) {
    const auto records = parseCsv(heading() + "0807060504030201, A, 2013/02/28, 11:20, 005,   -1.5, Fail, H, 00.5, Pass\r\n" +
                                  ", , 2013/2/28, 1120, x, .5, Pass, X, ------, --\r\n");
    ASSERT_EQ(records ? records->size() : 0U, 2U);
    const Measurement& first = records->at(0).values;
    EXPECT_EQ(first, (Measurement{QDate(2013, 2, 28), QTime(11, 20), 5, -15, OcclusionLevel::H, 5}));
    EXPECT_EQ(records->at(0).FlowResult.text(), QStringLiteral("  -1.5"));
    EXPECT_EQ(records->at(1).values, (Measurement{{}, {}, std::nullopt, 5, std::nullopt, std::nullopt}));
    EXPECT_EQ(records->at(1).occlusionResult(), std::nullopt);
}

// The form this program writes, and nothing else, passes an import's checks; the first fault of
// each line is named with its line.
TEST(CsvFormat, LineOutOfFormPassesOrGoodLineRefused) {
    const QByteArray good = "0807060504030201, A-001     , 2013/02/28, 11:20   , 150,   99.5, Pass, M,     53.2, Pass";
    const std::pair<QByteArray, std::optional<LineFault>> cases[] = {
        {good, std::nullopt},
        {"                , , 2013/02/28, 11:20, 5, ------, --, L, -1.5, Fail", std::nullopt},
        {QByteArray(good).replace("A-001    ", "-001     "), std::nullopt},
        {QByteArray(good).replace(", Pass", ""), LineFault::Columns},
        {QByteArray(good).replace("0807060504030201", "0807060504O30201"), LineFault::Rfid},
        {QByteArray(good).replace("0807060504030201", "08070605040302"), LineFault::Rfid},
        {QByteArray(good).replace("0807060504030201", "0807060504030a01"), LineFault::Rfid},
        {QByteArray(good).replace("A-001     ", "=1+2      "), LineFault::ManagementNumber},
        {QByteArray(good).replace("A-001     ", "ABCDEFGHIJK"), LineFault::ManagementNumber},
        {QByteArray(good).replace("A-001", "A\x1b" "001"), LineFault::ManagementNumber},
        {QByteArray(good).replace("2013/02/28", "2013/02/30"), LineFault::Date},
        {QByteArray(good).replace("2013/02/28", "2013-02-28"), LineFault::Date},
        {QByteArray(good).replace("11:20", "11:2x"), LineFault::Time},
        {QByteArray(good).replace(" 150,", " 1500,"), LineFault::FlowSetting},
        {QByteArray(good).replace("  99.5", "  .5"), LineFault::FlowResult},
        {QByteArray(good).replace("  99.5", "  99.55"), LineFault::FlowResult},
        {QByteArray(good).replace("  99.5", " 99999.5"), LineFault::FlowResult},
        {QByteArray(good).replace(", Pass, M", ", --, M"), LineFault::FlowVerdict},
        {QByteArray(good).replace(" M,", " X,"), LineFault::Level},
        {QByteArray(good).replace("    53.2", "  ------"), LineFault::OcclusionVerdict},
        {QByteArray(good).replace("    53.2", "     abc"), LineFault::OcclusionResult},
    };
    for (const auto& [line, fault] : cases) {
        const auto read = readDataFile(heading() + line + "\r\n");
        const auto& problems = std::get<DataFileContents>(read).problems;
        const std::vector<LineProblem> expected = fault ? std::vector<LineProblem>{{2, *fault}} : std::vector<LineProblem>{};
        EXPECT_EQ(problems, expected) << line.toStdString();
    }
    const auto headless = std::get<DataFileContents>(readDataFile(good + "\r\n" + good + "\r\n"));
    EXPECT_EQ(headless.problems, (std::vector<LineProblem>{{1, LineFault::Heading}}));
    EXPECT_EQ(headless.records.size(), 1U);  // the window still reads it leniently
}

}  // namespace
}  // namespace torbex::data
