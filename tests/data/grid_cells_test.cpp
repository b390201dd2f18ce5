// What one data-grid row shows for a record: the judgement columns, the RFID, the numbering and
// the grid geometry derived from the record count.
#include <gtest/gtest.h>

#include "data/grid_cells.h"

namespace torbex::data {
namespace {

MeasurementRecord recordWithStatus(const QString& status) {
    MeasurementRecord record;
    record.StatusFlags = status;
    record.PumpRfid = QStringLiteral("0123456789ABCDEF");
    record.ManagementNo = QStringLiteral("A-001");
    record.MeasureDate = QStringLiteral("2024/03/05");
    record.MeasureTime = QStringLiteral("11:20   ");
    record.FlowSetting = QStringLiteral(" 70");
    record.FlowResult = QStringLiteral("  98.5");
    record.OcclusionSetting = QStringLiteral("M");
    record.OcclusionValue = QStringLiteral(" 67");
    record.OcclusionResult = QStringLiteral("    55.0");
    return record;
}

struct JudgementCase {
    const char* status;
    const char* flowText;
    CellColour flowColour;
    const char* occlusionText;
    CellColour occlusionColour;
};

class JudgementTable : public ::testing::TestWithParam<JudgementCase> {};

TEST_P(JudgementTable, StatusBitsDecideTextAndColourInOrder) {
    const JudgementCase& c = GetParam();
    const MeasurementRecord record = recordWithStatus(QString::fromLatin1(c.status));
    const JudgementCell flow = flowJudgement(record);
    const JudgementCell occlusion = occlusionJudgement(record);
    EXPECT_EQ(flow.text, QString::fromLatin1(c.flowText));
    EXPECT_EQ(flow.colour, c.flowColour);
    EXPECT_EQ(occlusion.text, QString::fromLatin1(c.occlusionText));
    EXPECT_EQ(occlusion.colour, c.occlusionColour);

    const auto cells = gridCellTexts(record, 0);
    EXPECT_EQ(cells[kFlowJudgementColumn], flow.text);
    EXPECT_EQ(cells[kOcclusionJudgementColumn], occlusion.text);
}

constexpr auto N = CellColour::Normal;
constexpr auto R = CellColour::Red;
constexpr auto B = CellColour::Black;

INSTANTIATE_TEST_SUITE_P(
    StatusBytes, JudgementTable,
    ::testing::Values(JudgementCase{"00", "-----", N, "-----", N},
                      // An error only counts for a measured value.
                      JudgementCase{"10", "-----", N, "-----", N}, JudgementCase{"11", "Err ", R, "-----", N},
                      JudgementCase{"22", "-----", N, "Err ", R},
                      // The error bit wins over the pass bit.
                      JudgementCase{"15", "Err ", R, "-----", N}, JudgementCase{"2A", "-----", N, "Err ", R},
                      JudgementCase{"03", "  98.5", R, "    55.0", R},
                      JudgementCase{"8F", "  98.5", B, "    55.0", B},
                      // Pass bits without the measured bits show nothing.
                      JudgementCase{"0D", "  98.5", B, "-----", N},
                      // Lower-case hexadecimal as the tester may send it.
                      JudgementCase{"8f", "  98.5", B, "    55.0", B}));

TEST(GridCells, RfidOnlyWithBitSevenAndTimeWithoutTrailingSpaces) {
    const auto withRfid = gridCellTexts(recordWithStatus(QStringLiteral("8F")), 0);
    EXPECT_EQ(withRfid[0], QStringLiteral("   1"));
    EXPECT_EQ(withRfid[1], QStringLiteral("0123456789ABCDEF"));
    EXPECT_EQ(withRfid[kManagementNoColumn], QStringLiteral("A-001     "));
    EXPECT_EQ(withRfid[3], QStringLiteral("2024/03/05"));
    EXPECT_EQ(withRfid[4], QStringLiteral("11:20"));
    EXPECT_EQ(withRfid[5], QStringLiteral(" 70"));
    EXPECT_EQ(withRfid[7], QStringLiteral("M"));

    // The RFID field keeps its text; only the status decides whether it is shown.
    const auto withoutRfid = gridCellTexts(recordWithStatus(QStringLiteral("0F")), 41);
    EXPECT_EQ(withoutRfid[0], QStringLiteral("  42"));
    EXPECT_TRUE(withoutRfid[1].isEmpty());
}

TEST(GridCells, NumbersAndCountsKeepTheirWidth) {
    EXPECT_EQ(recordNumberText(0), QStringLiteral("   1"));
    EXPECT_EQ(recordNumberText(998), QStringLiteral(" 999"));
    EXPECT_EQ(recordNumberText(9998), QStringLiteral("9999"));
    EXPECT_EQ(recordNumberText(9999), QStringLiteral("0000"));  // record 10000: last four digits
    EXPECT_EQ(recordNumberText(10000), QStringLiteral("0001"));

    EXPECT_EQ(countText(0), QStringLiteral("     0"));
    EXPECT_EQ(countText(250), QStringLiteral("   250"));
    EXPECT_EQ(countText(10001), QStringLiteral(" 10001"));
}

TEST(GridCells, RowCountAndScrollPositionFollowRecordCount) {
    const std::pair<int, int> rows[] = {{0, 200}, {1, 200}, {199, 200}, {200, 201}, {250, 251}, {10001, 10002}};
    for (const auto& [records, expected] : rows) EXPECT_EQ(gridRowCount(records), expected) << records;

    const std::pair<int, int> firstRows[] = {{0, 0}, {19, 0}, {20, 0}, {21, 1}, {250, 230}, {10001, 9981}};
    for (const auto& [records, expected] : firstRows) EXPECT_EQ(firstVisibleRow(records), expected) << records;
}

TEST(FixedText, PadsAndCutsToWidthCountingEveryCharacterOnce) {
    MeasurementRecord record;
    EXPECT_EQ(record.ManagementNo.text(), QString(10, u' '));
    record.ManagementNo = QStringLiteral("AB");
    EXPECT_EQ(record.ManagementNo.text(), QStringLiteral("AB        "));
    record.ManagementNo = QStringLiteral("123456789012");
    EXPECT_EQ(record.ManagementNo.text(), QStringLiteral("1234567890"));
    record.ManagementNo = QStringLiteral("管理番号１２３４５６７８");
    EXPECT_EQ(record.ManagementNo.text(), QStringLiteral("管理番号１２３４５６"));
    record.ManagementNo = QString();
    EXPECT_EQ(record.ManagementNo.text().size(), 10);
}

TEST(StatusByte, ReadsHexInEitherCaseAndGarbageAsZero) {
    const std::pair<const char*, int> cases[] = {{"8f", 0x8F}, {"8F", 0x8F}, {"00", 0},  {"7", 7},  {" 3", 3},
                                                 {"zz", 0},    {"g1", 0},    {"  ", 0},  {"-1", 0}, {"0x", 0}};
    for (const auto& [text, expected] : cases) {
        MeasurementRecord record;
        record.StatusFlags = QString::fromLatin1(text);
        EXPECT_EQ(record.statusByte(), expected) << text;
    }
    MeasurementRecord garbage;
    garbage.StatusFlags = QStringLiteral("zz");
    EXPECT_FALSE(garbage.has(FlowMeasured));
    EXPECT_EQ(flowJudgement(garbage).text, QStringLiteral("-----"));
}

}  // namespace
}  // namespace torbex::data
