// Record numbering, grid geometry and the fixed-width fields. What a row shows is checked
// through the model in record_table_model_test.cpp.
#include <gtest/gtest.h>

#include "data/grid_cells.h"

namespace torbex::data {
namespace {

TEST(GridCells, RecordNumbersPastNineThousandNineHundredNinetyNineKeepFourDigits) {
    const std::pair<int, const char*> numbers[] = {
        {0, "   1"}, {998, " 999"}, {9998, "9999"}, {9999, "0000"}, {10000, "0001"}};
    for (const auto& [row, text] : numbers) EXPECT_EQ(recordNumberText(row), QString::fromLatin1(text)) << row;
    EXPECT_EQ(countText(0), QStringLiteral("     0"));
    EXPECT_EQ(countText(10001), QStringLiteral(" 10001"));
}

TEST(GridCells, RowCountAndFirstVisibleRowFollowRecordCount) {
    const std::array<int, 3> cases[] = {{0, 200, 0},     {19, 200, 0},    {20, 200, 0},     {21, 200, 1},
                                        {199, 200, 179}, {200, 201, 180}, {250, 251, 230}, {10001, 10002, 9981}};
    for (const auto& [records, rows, first] : cases) {
        EXPECT_EQ(gridRowCount(records), rows) << records;
        EXPECT_EQ(firstVisibleRow(records), first) << records;
    }
}

TEST(FixedText, PadsAndCutsToWidthCountingEveryCharacterOnce) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"", u"    "}, {u"AB", u"AB  "}, {u"ABCDEF", u"ABCD"}, {u"管理番号１２", u"管理番号"}};
    for (const auto& [assigned, held] : cases) {
        FixedText<4> text;
        EXPECT_EQ((text = QString::fromUtf16(assigned)).text(), QString::fromUtf16(held));
    }
}

TEST(StatusByte, ReadsHexInEitherCaseAndGarbageAsZero) {
    const std::pair<const char*, int> cases[] = {
        {"8f", 0x8F}, {"7", 7}, {" 3", 3}, {"zz", 0}, {"  ", 0}, {"-1", 0}, {"0x", 0}};
    for (const auto& [text, value] : cases) {
        MeasurementRecord r;
        r.StatusFlags = QString::fromLatin1(text);
        EXPECT_EQ(r.statusByte(), value) << text;
    }
}

}  // namespace
}  // namespace torbex::data
